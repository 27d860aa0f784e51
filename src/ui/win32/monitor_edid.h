// The EDID of each monitor attached to the desktop, read once from the
// registry through SetupAPI (the system keeps every monitor's EDID under its
// device key) and kept until the displays change.
#pragma once

#include "ui/win32/win32.h"

#include <map>
#include <string>

namespace mensor::win32 {

struct MonitorEdid {
  std::wstring device_path;  // the monitor's device interface path
  std::string bytes;         // its EDID as stored (empty when it has none)
};

// By display device name as GetMonitorInfoW gives it ("\\.\DISPLAY1"): the
// monitor attached to that display. Displays whose monitor could not be found
// are missing.
std::map<std::wstring, MonitorEdid> ReadMonitorEdids();

}  // namespace mensor::win32
