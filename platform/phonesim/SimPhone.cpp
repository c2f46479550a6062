#include "platform/phonesim/SimPhone.h"

#include <algorithm>
#include <new>

#include "com/HResult.h"
#include "platform/phonesim/FileFacts.h"

namespace phonesim {

namespace {

constexpr unsigned long long kMiB = 1024ULL * 1024ULL;

}  // namespace

bool IsValidPhoneName(const std::wstring& name)
{
    return !name.empty() && name.size() <= 64 &&
           std::all_of(name.begin(), name.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

CSimPhone::CSimPhone(PhoneSettings settings, std::wstring folder)
    : m_settings(std::move(settings)),
      m_folder(std::move(folder)),
      m_attributes(JoinPath(m_folder, L"attributes.ini"))
{
}

HRESULT CSimPhone::Create(const PhoneSettings& settings, const DriveSettings& phoneMemory,
                          const DriveSettings& memoryCard, std::shared_ptr<CSimPhone>& phone)
{
    if (!IsValidPhoneName(settings.name) || settings.root.empty()) {
        return E_INVALIDARG;
    }
    try {
        std::shared_ptr<CSimPhone> created(new CSimPhone(settings, JoinPath(settings.root, settings.name)));
        Drive memory{L'C', JoinPath(created->m_folder, L"C"), L"Phone memory", 128 * kMiB, 96 * kMiB, 0};
        Apply(memory, phoneMemory);
        created->m_drives.push_back(memory);
        if (settings.withCard) {
            Drive card{L'E', JoinPath(created->m_folder, L"E"), L"Memory card", 1024 * kMiB, 896 * kMiB, 0};
            Apply(card, memoryCard);
            created->m_drives.push_back(card);
        }
        for (Drive& drive : created->m_drives) {
            RETURN_IF_FAILED(CreateFolderChain(drive.folder));
            drive.usedAtBaseline = FolderUsage(drive.folder);
        }
        created->m_keepAlive = std::make_unique<tolv::com::module_lock>();
        phone = std::move(created);
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

void CSimPhone::Apply(Drive& drive, const DriveSettings& settings)
{
    if (settings.hasLabel) {
        drive.label = settings.label;
    }
    if (settings.hasCapacity) {
        drive.capacity = settings.capacity;
    }
    if (settings.hasFree) {
        drive.freeAtBaseline = settings.free;
    }
    drive.freeAtBaseline = std::min(drive.freeAtBaseline, drive.capacity);
}

bool CSimPhone::IsConnected() const noexcept
{
    tolv::com::auto_lock lock(m_lock);
    return m_keepAlive != nullptr;
}

void CSimPhone::MarkDisconnected() noexcept
{
    std::unique_ptr<tolv::com::module_lock> released;
    {
        tolv::com::auto_lock lock(m_lock);
        released = std::move(m_keepAlive);
    }
}

std::vector<wchar_t> CSimPhone::DriveLetters() const
{
    std::vector<wchar_t> letters;
    for (const Drive& drive : m_drives) {
        letters.push_back(drive.letter);
    }
    return letters;
}

bool CSimPhone::HasDrive(wchar_t letter) const noexcept
{
    return FindDrive(letter) != nullptr;
}

const CSimPhone::Drive* CSimPhone::FindDrive(wchar_t letter) const noexcept
{
    const wchar_t upper = static_cast<wchar_t>(towupper(letter));
    for (const Drive& drive : m_drives) {
        if (drive.letter == upper) {
            return &drive;
        }
    }
    return nullptr;
}

CSimPhone::Drive* CSimPhone::FindDrive(wchar_t letter) noexcept
{
    return const_cast<Drive*>(static_cast<const CSimPhone*>(this)->FindDrive(letter));
}

std::wstring CSimPhone::DriveFolder(wchar_t letter) const
{
    const Drive* drive = FindDrive(letter);
    return drive ? drive->folder : std::wstring();
}

std::wstring CSimPhone::PcPath(const PhonePath& path) const
{
    return JoinPath(DriveFolder(path.drive), path.Relative());
}

HRESULT CSimPhone::GetLabel(wchar_t letter, std::wstring& label) const
{
    tolv::com::auto_lock lock(m_lock);
    const Drive* drive = FindDrive(letter);
    RETURN_HR_IF_NULL(E_INVALIDARG, drive);
    label = drive->label;
    return S_OK;
}

HRESULT CSimPhone::SetLabel(wchar_t letter, const std::wstring& label)
{
    if (label.size() > 255) {
        return E_INVALIDARG;
    }
    tolv::com::auto_lock lock(m_lock);
    Drive* drive = FindDrive(letter);
    RETURN_HR_IF_NULL(E_INVALIDARG, drive);
    drive->label = label;
    return S_OK;
}

HRESULT CSimPhone::GetSpace(wchar_t letter, DriveSpace& space) const
{
    std::wstring folder;
    unsigned long long capacity = 0;
    unsigned long long freeAtBaseline = 0;
    unsigned long long usedAtBaseline = 0;
    {
        tolv::com::auto_lock lock(m_lock);
        const Drive* drive = FindDrive(letter);
        RETURN_HR_IF_NULL(E_INVALIDARG, drive);
        folder = drive->folder;
        capacity = drive->capacity;
        freeAtBaseline = drive->freeAtBaseline;
        usedAtBaseline = drive->usedAtBaseline;
    }
    const unsigned long long used = FolderUsage(folder);
    // Signed arithmetic on the change: files may have been added or removed.
    const long double change = static_cast<long double>(used) - static_cast<long double>(usedAtBaseline);
    long double free = static_cast<long double>(freeAtBaseline) - change;
    free = std::clamp(free, 0.0L, static_cast<long double>(capacity));
    space.capacity = capacity;
    space.free = static_cast<unsigned long long>(free);
    space.used = capacity - space.free;
    return S_OK;
}

void CSimPhone::Configure(wchar_t letter, const DriveSettings& settings)
{
    std::wstring folder;
    {
        tolv::com::auto_lock lock(m_lock);
        Drive* drive = FindDrive(letter);
        if (drive == nullptr) {
            return;
        }
        folder = drive->folder;
    }
    const unsigned long long used = settings.hasFree ? FolderUsage(folder) : 0;
    tolv::com::auto_lock lock(m_lock);
    Drive* drive = FindDrive(letter);
    if (settings.hasFree) {
        drive->usedAtBaseline = used;
    }
    Apply(*drive, settings);
}

}  // namespace phonesim
