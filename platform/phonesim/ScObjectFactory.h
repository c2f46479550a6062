// Creation of the phone objects handed to clients. Each object keeps its phone and the link
// to the application object it was reached through.
#pragma once

#include <memory>

#include <windows.h>
#include <ole2.h>

#include "SymbianConnect.h"
#include "com/ComPtr.h"
#include "platform/phonesim/ApplicationLink.h"
#include "platform/phonesim/PhonePath.h"
#include "platform/phonesim/SimPhone.h"

namespace phonesim {

using PhoneRef = std::shared_ptr<CSimPhone>;
using LinkRef = std::shared_ptr<CApplicationLink>;

HRESULT MakeDeviceObject(const PhoneRef& phone, const LinkRef& link, tolv::com::com_ptr<IDispatch>& device);
HRESULT MakeDeviceObject(const PhoneRef& phone, const LinkRef& link, ISCDevice** device);
HRESULT MakeDriveObject(const PhoneRef& phone, const LinkRef& link, wchar_t letter, ISCDrive** drive);
HRESULT MakeFolderObject(const PhoneRef& phone, const LinkRef& link, const PhonePath& path, ISCFolder** folder);
HRESULT MakeFileObject(const PhoneRef& phone, const LinkRef& link, const PhonePath& path, ISCFile** file);

}  // namespace phonesim
