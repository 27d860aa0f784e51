// Reading the monitors' EDIDs: the display device's attached monitor gives a
// device interface path (EnumDisplayDevicesW with
// EDD_GET_DEVICE_INTERFACE_NAME); SetupAPI lists the present monitor
// interfaces, and the one of that path has the value "EDID" under its device
// key.
#include "ui/win32/monitor_edid.h"

#include <setupapi.h>

#include <memory>
#include <vector>

namespace mensor::win32 {
namespace {

// GUID_DEVINTERFACE_MONITOR, spelt out so that no header needs INITGUID.
constexpr GUID kMonitorInterface = {0xE6F07B5F, 0xEE97, 0x4A90, {0xB0, 0x76, 0x33, 0xF5, 0x7B, 0xF4, 0xEA, 0xA7}};

struct DeviceSetCloser {
  void operator()(void* set) const { SetupDiDestroyDeviceInfoList(static_cast<HDEVINFO>(set)); }
};
struct KeyCloser {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
using DeviceSet = std::unique_ptr<void, DeviceSetCloser>;
using Key = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

// NOTE: the two APIs spell the same path in different case (upper case from
// EnumDisplayDevicesW, lower case from SetupAPI).
bool SamePath(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

std::string ReadEdidValue(HDEVINFO set, SP_DEVINFO_DATA& device) {
  const HKEY raw = SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
  if (raw == nullptr || raw == reinterpret_cast<HKEY>(INVALID_HANDLE_VALUE)) return {};
  const Key key(raw);
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(key.get(), L"EDID", nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_BINARY)
    return {};
  std::string bytes(size, '\0');
  if (RegQueryValueExW(key.get(), L"EDID", nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()), &size) !=
      ERROR_SUCCESS)
    return {};
  bytes.resize(size);
  return bytes;
}

// Every present monitor interface: its path and its EDID.
std::vector<MonitorEdid> PresentMonitors() {
  std::vector<MonitorEdid> monitors;
  DeviceSet set(SetupDiGetClassDevsW(&kMonitorInterface, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
  if (set.get() == INVALID_HANDLE_VALUE) {
    set.release();
    return monitors;
  }
  const HDEVINFO devices = static_cast<HDEVINFO>(set.get());
  SP_DEVICE_INTERFACE_DATA item{};
  item.cbSize = sizeof item;
  for (DWORD i = 0; SetupDiEnumDeviceInterfaces(devices, nullptr, &kMonitorInterface, i, &item); ++i) {
    DWORD size = 0;
    SetupDiGetDeviceInterfaceDetailW(devices, &item, nullptr, 0, &size, nullptr);
    if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) continue;
    std::vector<unsigned char> buffer(size);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    if (!SetupDiGetDeviceInterfaceDetailW(devices, &item, detail, size, nullptr, &device)) continue;
    monitors.push_back({detail->DevicePath, ReadEdidValue(devices, device)});
  }
  return monitors;
}

// The device path of the monitor shown on a display: the first one in use,
// else the first one at all (a display that mirrors several has one picture).
std::wstring MonitorPathOf(const wchar_t* display) {
  std::wstring first;
  DISPLAY_DEVICEW monitor{};
  monitor.cb = sizeof monitor;
  for (DWORD m = 0; EnumDisplayDevicesW(display, m, &monitor, EDD_GET_DEVICE_INTERFACE_NAME); ++m) {
    if ((monitor.StateFlags & DISPLAY_DEVICE_ACTIVE) != 0) return monitor.DeviceID;
    if (m == 0) first = monitor.DeviceID;
  }
  return first;
}

}  // namespace

std::map<std::wstring, MonitorEdid> ReadMonitorEdids() {
  std::map<std::wstring, MonitorEdid> result;
  const std::vector<MonitorEdid> present = PresentMonitors();
  DISPLAY_DEVICEW display{};
  display.cb = sizeof display;
  for (DWORD d = 0; EnumDisplayDevicesW(nullptr, d, &display, 0); ++d) {
    if ((display.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP) == 0) continue;
    const std::wstring path = MonitorPathOf(display.DeviceName);
    if (path.empty()) continue;
    // A monitor that SetupAPI does not list is still named by its path.
    MonitorEdid found{path, {}};
    for (const MonitorEdid& p : present)
      if (SamePath(p.device_path, path)) found.bytes = p.bytes;
    result[display.DeviceName] = found;
  }
  return result;
}

}  // namespace mensor::win32
