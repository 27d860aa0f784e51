// The settings file is never lost or mangled: a file in use is waited for, a
// file not read completely or read-only is kept, a save that cannot make its
// temporary file or cannot replace the file rewrites it in place, the
// encoding is kept (UTF-16 also without a mark), links are written through
// and a link to a file not yet there stays a link, and stale temporary files
// of killed saves are removed at start-up and at the save.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/ini_file.h"
#include "settings/settings_file.h"
#include "text/text_encoding.h"
#include "settings_test_support.h"

namespace mensor {
namespace {

using namespace std::string_literals;
using ::testing::StartsWith;

constexpr const char* kTemp = "/mensor/app.ini.4242.tmp";
const std::string kUserFile = "[System]\r\nMoveStep=7\r\n[Current]\r\nLength=450\r\nUnit=1\r\nMine=keep\r\n";

class SettingsFileTest : public SettingsTest {
 protected:
  // Total time the platform was asked to wait.
  int SleptMs() const {
    int total = 0;
    for (const std::string& e : platform.events)
      if (e.rfind("sleep ", 0) == 0) total += std::stoi(e.substr(6));
    return total;
  }
  bool SaveFails(std::string& error) { return !SaveSettings(platform, entries, error); }
  bool OpDone(const std::string& op) const {
    for (const std::string& o : platform.file_ops)
      if (o == op) return true;
    return false;
  }
  // What a save of kUserFile, loaded and unchanged, writes.
  static std::string SavedUserFile() {
    const TAppSettings kept = AppSettings;
    AppSettings = TAppSettings{};
    testing::FakePlatform p;
    p.files["/mensor/app.ini"] = kUserFile;
    RulerEntries e;
    LoadSettings(p, e);
    std::string error;
    SaveSettings(p, e, error);
    AppSettings = kept;
    return p.files["/mensor/app.ini"];
  }
};

// --- reading at start-up -------------------------------------------------------

TEST_F(SettingsFileTest, AFileInUseForAMomentIsWaitedForAndRead) {
  WithFile(kUserFile);
  platform.busy_reads[kPath] = 3;
  Load();
  EXPECT_EQ(AppSettings.MoveStep, 7);
  EXPECT_EQ(AppSettings.Length, 450);
  EXPECT_EQ(entries.Unit, 1);
  EXPECT_FALSE(AppSettings.KeepFile);
  EXPECT_EQ(SleptMs(), 3 * kFileRetryWaitMs);
}

TEST_F(SettingsFileTest, AFileInUseForTooLongIsKeptAsItIsAndTheUserToldOnce) {
  WithFile(kUserFile);
  platform.busy_reads[kPath] = -1;
  Load();
  EXPECT_EQ(SleptMs(), kReadBusyBudgetMs) << "the wait is bounded";
  EXPECT_EQ(AppSettings.MoveStep, 1) << "defaults meanwhile";
  EXPECT_TRUE(AppSettings.KeepFile);

  platform.busy_reads.clear();  // free by the time the ruler closes
  AppSettings.MoveStep = 3;
  std::string error;
  EXPECT_TRUE(SaveFails(error));
  EXPECT_EQ(error, "Your settings file /mensor/app.ini could not be read completely when the ruler "
                   "started, so it has been left as it was. The settings of this session were not saved.");
  EXPECT_EQ(platform.files[kPath], kUserFile);
  EXPECT_FALSE(OpDone("create "s + kTemp));
}

TEST_F(SettingsFileTest, AFileThatCouldNotBeReadIsNeverReplaced) {
  for (FileResult failure : {FileResult::TooLarge, FileResult::Refused, FileResult::Failed}) {
    AppSettings = TAppSettings{};
    platform = testing::FakePlatform{};
    WithFile(kUserFile);
    platform.read_failures[kPath] = failure;
    Load();
    EXPECT_TRUE(AppSettings.KeepFile);
    EXPECT_EQ(AppSettings.Length, 600);
    std::string error;
    EXPECT_TRUE(SaveFails(error));
    EXPECT_THAT(error, StartsWith("Your settings file /mensor/app.ini could not be read completely"));
    EXPECT_EQ(platform.files[kPath], kUserFile);
    EXPECT_EQ(platform.files.size(), 1u) << "no temporary file left";
  }
}

TEST_F(SettingsFileTest, AMissingFileIsNoReasonToKeepAnything) {
  Load();
  EXPECT_FALSE(AppSettings.KeepFile);
  EXPECT_EQ(SleptMs(), 0);
  EXPECT_THAT(Save(), StartsWith("[System]\r\nWindowOnTop=0\r\n"));
}

// --- a read-only file ----------------------------------------------------------

TEST_F(SettingsFileTest, AReadOnlyFileIsKeptAndTheUserToldSo) {
  WithFile(kUserFile);
  platform.read_only_files.insert(kPath);
  Load();
  EXPECT_EQ(AppSettings.MoveStep, 7) << "read as any other";
  AppSettings.MoveStep = 2;
  std::string error;
  EXPECT_TRUE(SaveFails(error));
  EXPECT_EQ(error, "Your settings file /mensor/app.ini is read-only, so it has been left as it was. "
                   "The settings of this session were not saved.");
  EXPECT_EQ(platform.files[kPath], kUserFile);
  EXPECT_EQ(platform.files.size(), 1u);
}

// --- replacing, retrying, rewriting in place ----------------------------------

TEST_F(SettingsFileTest, TheNewTextTakesTheFilesPlaceThroughATemporaryFile) {
  WithFile(kUserFile);
  Load();
  const std::string saved = Save();
  EXPECT_EQ(saved, SavedUserFile());
  EXPECT_TRUE(OpDone("create "s + kTemp));
  EXPECT_TRUE(OpDone("move "s + kTemp + " " + kPath));
  EXPECT_FALSE(OpDone("rewrite "s + kPath));
  EXPECT_EQ(platform.files.size(), 1u) << "no temporary file left";
  EXPECT_EQ(SleptMs(), 0);
}

TEST_F(SettingsFileTest, AReplaceRefusedWhileTheFileIsInUseIsRetried) {
  WithFile(kUserFile);
  Load();
  platform.busy_moves[kPath] = 5;
  const std::string saved = Save();
  EXPECT_EQ(saved, SavedUserFile());
  EXPECT_EQ(SleptMs(), 5 * kFileRetryWaitMs);
  EXPECT_FALSE(OpDone("rewrite "s + kPath));
  EXPECT_EQ(platform.files.size(), 1u);
}

TEST_F(SettingsFileTest, AFileInUseForEverIsRewrittenInPlaceAfterTheRetries) {
  WithFile(kUserFile);
  Load();
  platform.busy_moves[kPath] = -1;
  const std::string saved = Save();
  EXPECT_EQ(saved, SavedUserFile());
  EXPECT_EQ(SleptMs(), kReplaceBusyBudgetMs);
  EXPECT_TRUE(OpDone("remove "s + kTemp));
  EXPECT_TRUE(OpDone("rewrite "s + kPath));
  EXPECT_EQ(platform.files.size(), 1u);
}

TEST_F(SettingsFileTest, AFolderThatTakesNoNewFilesGetsTheFileRewrittenInPlace) {
  WithFile(kUserFile);
  Load();
  platform.no_new_files = true;
  const std::string saved = Save();
  EXPECT_EQ(saved, SavedUserFile());
  EXPECT_TRUE(OpDone("rewrite "s + kPath));
  EXPECT_EQ(SleptMs(), 0) << "nothing to wait for";
}

TEST_F(SettingsFileTest, FailureIsReportedOnlyWhenEveryWayFailedAndTheFileIsIntact) {
  struct Case {
    const char* what;
    bool no_new_files;
    int busy_moves;
    int busy_rewrites;
    bool refuse_rewrite;
    int slept_ms;
  } cases[] = {
      {"no temporary file, rewrite refused", true, 0, 0, true, 0},
      {"no temporary file, file in use for ever", true, 0, -1, false, kRewriteBusyBudgetMs},
      {"replace and rewrite busy for ever", false, -1, -1, false, kReplaceBusyBudgetMs + kRewriteBusyBudgetMs},
  };
  for (const Case& c : cases) {
    AppSettings = TAppSettings{};
    platform = testing::FakePlatform{};
    WithFile(kUserFile);
    Load();
    platform.no_new_files = c.no_new_files;
    platform.busy_moves[kPath] = c.busy_moves;
    platform.busy_rewrites[kPath] = c.busy_rewrites;
    platform.refuse_writes = c.refuse_rewrite;
    std::string error;
    EXPECT_TRUE(SaveFails(error)) << c.what;
    EXPECT_EQ(error, "Unable to write to /mensor/app.ini") << c.what;
    EXPECT_EQ(platform.files[kPath], kUserFile) << c.what;
    EXPECT_EQ(platform.files.size(), 1u) << c.what << ": no temporary file left";
    EXPECT_EQ(SleptMs(), c.slept_ms) << c.what;
  }
}

TEST_F(SettingsFileTest, AFileBusyForAMomentWhenRewrittenInPlaceIsWaitedFor) {
  WithFile(kUserFile);
  Load();
  platform.no_new_files = true;
  platform.busy_rewrites[kPath] = 2;
  EXPECT_EQ(Save(), SavedUserFile());
  EXPECT_EQ(SleptMs(), 2 * kFileRetryWaitMs);
}

// --- encodings -----------------------------------------------------------------

TEST_F(SettingsFileTest, EachEncodingIsReadAndWrittenBackInTheSameEncoding) {
  const std::string expected = SavedUserFile();
  for (TextEncoding encoding :
       {TextEncoding::EightBit, TextEncoding::Utf8Bom, TextEncoding::Utf16Le, TextEncoding::Utf16Be,
        TextEncoding::Utf16LeUnmarked, TextEncoding::Utf16BeUnmarked}) {
    AppSettings = TAppSettings{};
    platform = testing::FakePlatform{};
    WithFile(EncodeText(encoding, kUserFile));
    Load();
    EXPECT_EQ(AppSettings.MoveStep, 7);
    EXPECT_EQ(AppSettings.Length, 450);
    EXPECT_EQ(entries.Unit, 1);
    // Exactly the 8-bit file's save, in the file's own encoding.
    EXPECT_EQ(Save(), EncodeText(encoding, expected)) << static_cast<int>(encoding);
  }
}

TEST_F(SettingsFileTest, AUtf16FileKeepsItsNonAsciiTextAndGivesUtf8Values) {
  // "Fichier=été" in an unknown line, and a language file name with a euro sign.
  const std::string text = "[Language]\r\nFileName=\xE2\x82\xAC.txt\r\nFichier=\xC3\xA9t\xC3\xA9\r\n";
  WithFile(EncodeText(TextEncoding::Utf16Le, text));
  Load();
  EXPECT_EQ(AppSettings.LanguageFileName, "\xE2\x82\xAC.txt");
  const DecodedText saved = DecodeText(Save());
  EXPECT_EQ(saved.encoding, TextEncoding::Utf16Le);
  const IniFile ini(saved.text);
  EXPECT_EQ(ini.Find("Language", "FileName"), "\xE2\x82\xAC.txt");
  EXPECT_EQ(ini.Find("Language", "Fichier"), "\xC3\xA9t\xC3\xA9");
}

// --- links and leftovers -------------------------------------------------------

TEST_F(SettingsFileTest, ALinkIsWrittenThroughToItsTarget) {
  platform.links[kPath] = "/data/settings.ini";
  platform.files["/data/settings.ini"] = kUserFile;
  Load();
  EXPECT_EQ(AppSettings.MoveStep, 7);
  std::string error;
  ASSERT_TRUE(SaveSettings(platform, entries, error));
  EXPECT_EQ(platform.files["/data/settings.ini"], SavedUserFile());
  EXPECT_EQ(platform.files.count(kPath), 0u) << "the link stays a link";
  EXPECT_TRUE(OpDone("create /data/settings.ini.4242.tmp"));
}

// The temporary files beside app.ini at start-up, and which of them go.
struct Leftover {
  const char* path;
  long long age_seconds;
  bool writer_running;  // the process of the name's identifier
  bool removed;
};
constexpr Leftover kLeftovers[] = {
    {"/mensor/app.ini.17.tmp", 0, false, true},  // a save killed a moment ago
    {"/mensor/app.ini.16.tmp", kStaleTempAgeSeconds, false, true},
    {"/mensor/app.ini.18.tmp", kStaleTempAgeSeconds - 1, true, false},  // maybe a save under way
    {"/mensor/app.ini.19.tmp", kStaleTempAgeSeconds, true, true},  // the identifier given to another program
    {"/mensor/app.ini.4242.tmp", 9999, true, false},  // this process's own
    {"/mensor/app.ini.4294967296.tmp", 9999, false, false},  // no process identifier: not ours
    {"/mensor/app.ini.backup.tmp", 9999, false, false},
    {"/mensor/app.ini.20", 9999, false, false},
    {"/mensor/app.ini.bak", 9999, false, false},
    {"/mensor/app.ini..tmp", 9999, false, false},
};

class StaleTempFilesTest : public SettingsFileTest {
 protected:
  void SetUp() override {
    SettingsFileTest::SetUp();
    WithFile(kUserFile);
    for (const Leftover& l : kLeftovers) {
      platform.files[l.path] = "junk";
      platform.file_ages[l.path] = l.age_seconds;
      if (l.writer_running)
        platform.running_processes.insert(std::stoul(std::string(l.path).substr(std::string(kPath).size() + 1)));
    }
  }
  // The own one (kTemp) is checked only at start-up: a save writes it anew
  // and renames it to app.ini.
  void ExpectRemoved(bool with_own) {
    for (const Leftover& l : kLeftovers) {
      if (with_own || l.path != std::string(kTemp)) {
        EXPECT_EQ(platform.files.count(l.path) == 0, l.removed) << l.path;
      }
    }
  }
};

TEST_F(StaleTempFilesTest, TheLeftoversOfKilledSavesAreRemovedAtStartUp) {
  Load();
  ExpectRemoved(true);
  EXPECT_EQ(AppSettings.MoveStep, 7) << "the settings file itself untouched";
}

TEST_F(StaleTempFilesTest, AndAtTheSave) {
  Load();
  for (const Leftover& l : kLeftovers) platform.files[l.path] = "junk";  // left again meanwhile
  EXPECT_EQ(Save(), SavedUserFile());
  ExpectRemoved(false);
}

TEST_F(SettingsFileTest, TheLeftoversBesideALinksTargetAreRemovedThere) {
  platform.links[kPath] = "/data/settings.ini";
  platform.files["/data/settings.ini"] = kUserFile;
  platform.files["/data/settings.ini.17.tmp"] = "junk";
  Load();
  EXPECT_EQ(platform.files.count("/data/settings.ini.17.tmp"), 0u);
}

TEST_F(SettingsFileTest, ALinkToAFileNotYetThereStaysALink) {
  struct Case {
    const char* what;
    const char* target;
    bool target_folder_exists;
  } cases[] = {
      {"target in an existing folder: created", "/data/settings.ini", true},
      {"target in a missing folder: not saved", "/gone/settings.ini", false},
  };
  const std::string defaults = [] {
    testing::FakePlatform p;
    RulerEntries e;
    LoadSettings(p, e);
    std::string error;
    SaveSettings(p, e, error);
    return p.files["/mensor/app.ini"];
  }();
  for (const Case& c : cases) {
    AppSettings = TAppSettings{};
    platform = testing::FakePlatform{};
    platform.links[kPath] = c.target;
    if (!c.target_folder_exists) platform.missing_folders.insert("/gone");
    Load();
    EXPECT_FALSE(AppSettings.KeepFile) << c.what;
    std::string error;
    EXPECT_EQ(SaveSettings(platform, entries, error), c.target_folder_exists) << c.what;
    EXPECT_EQ(error, c.target_folder_exists ? "" : "Unable to write to /mensor/app.ini") << c.what;
    EXPECT_EQ(platform.links[kPath], c.target) << c.what << ": the link stays a link";
    EXPECT_EQ(platform.files.count(kPath), 0u) << c.what << ": no file in the link's place";
    if (c.target_folder_exists) {
      EXPECT_EQ(platform.files[c.target], defaults) << c.what;
    }
    EXPECT_EQ(platform.files.size(), c.target_folder_exists ? 1u : 0u) << c.what << ": nothing else written";
  }
}

TEST_F(SettingsFileTest, AMissingFileIsCreatedByItsNameWithoutATemporaryFile) {
  Load();
  std::string error;
  ASSERT_TRUE(SaveSettings(platform, entries, error));
  EXPECT_TRUE(OpDone("create "s + kPath));
  EXPECT_FALSE(OpDone("create "s + kTemp)) << "no temporary file";
}

TEST(SettingsTempPath, BesideTheFileWithTheProcessId) {
  EXPECT_EQ(TempPathFor("C:\\Tools\\app.ini", 1234), "C:\\Tools\\app.ini.1234.tmp");
}

}  // namespace
}  // namespace mensor
