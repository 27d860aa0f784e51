// Fuzz target: app.ini as a user (or a broken disk) may leave it. Loads any
// bytes as the settings file and saves the settings back, and checks what
// must hold for every input:
//  - the encodings come back byte for byte (an odd last byte of a UTF-16
//    file aside);
//  - a save followed by a load and another save writes the same bytes again
//    (the language file name aside, whose quotes the profile rules strip).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fake_platform.h"
#include "settings/app_settings.h"
#include "text/text_encoding.h"

namespace {

constexpr const char* kPath = "/mensor/app.ini";

void Check(bool holds) {
  if (!holds) std::abort();
}

std::string LoadAndSave(const std::string& bytes) {
  using namespace mensor;
  AppSettings = TAppSettings{};
  testing::FakePlatform platform;
  platform.files[kPath] = bytes;
  RulerEntries entries;
  Check(LoadSettings(platform, entries));
  Check(!AppSettings.KeepFile);
  AppSettings.LanguageFileName.clear();
  std::string error;
  Check(SaveSettings(platform, entries, error));
  return platform.files[kPath];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace mensor;
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  const DecodedText decoded = DecodeText(bytes);
  if (!IsUtf16(decoded.encoding) || size % 2 == 0) Check(EncodeText(decoded.encoding, decoded.text) == bytes);

  const std::string first = LoadAndSave(bytes);
  Check(DecodeText(first).encoding == decoded.encoding);
  const std::string second = LoadAndSave(first);
  Check(second == first);
  return 0;
}
