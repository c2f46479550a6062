#include "platform/phonesim/SimWorld.h"

#include <algorithm>

#include <shlobj.h>

#include "com/HResult.h"
#include "platform/phonesim/FileFacts.h"
#include "platform/phonesim/ScObjectFactory.h"
#include "platform/phonesim/SinkEvents.h"

namespace phonesim {

namespace {

void Merge(DriveSettings& kept, const DriveSettings& change)
{
    if (change.hasLabel) {
        kept.hasLabel = true;
        kept.label = change.label;
    }
    if (change.hasCapacity) {
        kept.hasCapacity = true;
        kept.capacity = change.capacity;
    }
    if (change.hasFree) {
        kept.hasFree = true;
        kept.free = change.free;
    }
}

}  // namespace

CSimWorld& CSimWorld::Instance()
{
    static CSimWorld world;
    return world;
}

std::wstring CSimWorld::DefaultRoot()
{
    wchar_t folder[MAX_PATH] = L"";
    if (FAILED(
            SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, folder))) {
        GetTempPathW(MAX_PATH, folder);
    }
    return JoinPath(folder, L"Pellary\\PhoneSim");
}

void CSimWorld::AddLink(const std::shared_ptr<CApplicationLink>& link)
{
    tolv::com::auto_lock lock(m_lock);
    m_links.erase(std::remove_if(m_links.begin(), m_links.end(), [](const auto& kept) { return kept.expired(); }),
                  m_links.end());
    m_links.push_back(link);
}

void CSimWorld::RemoveLink(const CApplicationLink* link)
{
    tolv::com::auto_lock lock(m_lock);
    m_links.erase(std::remove_if(m_links.begin(), m_links.end(),
                                 [link](const auto& kept) {
                                     const auto alive = kept.lock();
                                     return !alive || alive.get() == link;
                                 }),
                  m_links.end());
}

std::vector<std::shared_ptr<CApplicationLink>> CSimWorld::Links() const
{
    std::vector<std::shared_ptr<CApplicationLink>> links;
    tolv::com::auto_lock lock(m_lock);
    for (const auto& kept : m_links) {
        if (auto alive = kept.lock()) {
            links.push_back(std::move(alive));
        }
    }
    return links;
}

HRESULT CSimWorld::Connect(PhoneSettings settings)
{
    const PhoneSettings defaults;
    if (settings.name.empty()) {
        settings.name = defaults.name;
    }
    if (settings.model.empty()) {
        settings.model = defaults.model;
    }
    if (settings.manufacturer.empty()) {
        settings.manufacturer = defaults.manufacturer;
    }
    if (settings.identifier.empty()) {
        settings.identifier = defaults.identifier;
    }
    if (settings.root.empty()) {
        settings.root = DefaultRoot();
    }
    RETURN_HR_IF(E_INVALIDARG, !IsValidPhoneName(settings.name));
    std::shared_ptr<CSimPhone> phone;
    {
        tolv::com::auto_lock lock(m_lock);
        for (const auto& connected : m_phones) {
            if (connected->Name() == settings.name) {
                return S_FALSE;
            }
        }
        const Profile profile = m_profiles[settings.name];
        RETURN_IF_FAILED(CSimPhone::Create(settings, profile.phoneMemory, profile.memoryCard, phone));
        m_phones.push_back(phone);
    }
    for (const auto& link : Links()) {
        const SinkList sinks = link->Sinks();
        if (sinks.empty()) {
            continue;
        }
        tolv::com::com_ptr<IDispatch> device;
        if (SUCCEEDED(MakeDeviceObject(phone, link, device))) {
            RaiseDeviceConnected(sinks, device.get());
        }
    }
    return S_OK;
}

HRESULT CSimWorld::Disconnect(const std::wstring& name)
{
    std::vector<std::shared_ptr<CSimPhone>> gone;
    {
        tolv::com::auto_lock lock(m_lock);
        for (auto it = m_phones.begin(); it != m_phones.end();) {
            if (name.empty() || (*it)->Name() == name) {
                gone.push_back(*it);
                it = m_phones.erase(it);
            } else {
                ++it;
            }
        }
    }
    if (gone.empty()) {
        return S_FALSE;
    }
    const auto links = Links();
    for (const auto& phone : gone) {
        // Marked first, so that a client reacting to the event sees the phone gone.
        phone->MarkDisconnected();
        for (const auto& link : links) {
            RaiseDeviceDisconnected(link->Sinks(), phone->Name());
        }
    }
    return S_OK;
}

std::vector<std::shared_ptr<CSimPhone>> CSimWorld::Phones() const
{
    tolv::com::auto_lock lock(m_lock);
    return m_phones;
}

std::shared_ptr<CSimPhone> CSimWorld::FindPhone(const std::wstring& name) const
{
    tolv::com::auto_lock lock(m_lock);
    for (const auto& phone : m_phones) {
        if (phone->Name() == name) {
            return phone;
        }
    }
    return nullptr;
}

HRESULT CSimWorld::ConfigureDrive(const std::wstring& name, wchar_t letter, const DriveSettings& settings)
{
    const PhoneSettings defaults;
    const std::wstring phoneName = name.empty() ? defaults.name : name;
    letter = static_cast<wchar_t>(towupper(letter));
    RETURN_HR_IF(E_INVALIDARG, !IsValidPhoneName(phoneName) || (letter != L'C' && letter != L'E'));
    std::shared_ptr<CSimPhone> connected;
    {
        tolv::com::auto_lock lock(m_lock);
        Profile& profile = m_profiles[phoneName];
        Merge(letter == L'C' ? profile.phoneMemory : profile.memoryCard, settings);
        for (const auto& phone : m_phones) {
            if (phone->Name() == phoneName) {
                connected = phone;
            }
        }
    }
    if (connected) {
        connected->Configure(letter, settings);
    }
    return S_OK;
}

std::wstring CSimWorld::Status() const
{
    std::wstring text;
    for (const auto& phone : Phones()) {
        const PhoneSettings& settings = phone->Settings();
        text += settings.name + L" model=\"" + settings.model + L"\" manufacturer=\"" + settings.manufacturer +
                L"\" identifier=\"" + settings.identifier + L"\"";
        for (const wchar_t letter : phone->DriveLetters()) {
            text += L" ";
            text += letter;
            text += L":=\"" + phone->DriveFolder(letter) + L"\"";
        }
        text += L"\n";
    }
    return text;
}

void CSimWorld::Shutdown() noexcept
{
    m_runner.Stop();
}

}  // namespace phonesim
