// SectionEntries: a section of app.ini with keys not known in advance, read
// as the file has it and written back with only the changes applied.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "settings/section_entries.h"
#include "text/ini_file.h"

namespace mensor {
namespace {

constexpr const char* kFile =
    "[System]\r\n"
    "MoveStep=1\r\n"
    "\r\n"
    "[Calibration]\r\n"
    "\\\\.\\DISPLAY1 = 3780\r\n"
    "; measured with a steel rule\r\n"
    "\\\\.\\DISPLAY2=\"abc\"\r\n"
    "\\\\.\\display1=1\r\n"
    "DISPLAY3=0x10\r\n"
    "\r\n"
    "[ToolBar]\r\n"
    "Show=1\r\n";

TEST(SectionEntries, ReadsEachKeyOnceInFileOrderWithItsValue) {
  const SectionEntries read = SectionEntries::Read(IniFile(kFile), "calibration");
  const std::vector<SectionEntries::Entry> expected = {
      {"\\\\.\\DISPLAY1", "3780", false}, {"\\\\.\\DISPLAY2", "abc", false}, {"DISPLAY3", "0x10", false}};
  EXPECT_EQ(read.entries(), expected);
  EXPECT_EQ(read.Integer("\\\\.\\display1"), 3780) << "names match without regard to case";
  EXPECT_EQ(read.Integer("\\\\.\\DISPLAY2"), std::nullopt) << "no integer";
  EXPECT_EQ(read.Find("\\\\.\\DISPLAY2"), "abc");
  EXPECT_EQ(read.Integer("DISPLAY3"), 16);
  EXPECT_EQ(read.Integer("DISPLAY4"), std::nullopt) << "missing";
  EXPECT_TRUE(SectionEntries::Read(IniFile(kFile), "Missing").entries().empty());
}

TEST(SectionEntries, AFileReadAndWrittenUnchangedStaysByteForByte) {
  IniFile ini(kFile);
  SectionEntries::Read(ini, "Calibration").Write(ini, "Calibration");
  EXPECT_EQ(ini.Text(), kFile);
}

TEST(SectionEntries, ChangesGoInPlaceNewKeysLastAndTheRestStaysAsItIs) {
  IniFile ini(kFile);
  SectionEntries section = SectionEntries::Read(ini, "Calibration");
  EXPECT_TRUE(section.SetInteger("\\\\.\\display1", 3800));
  EXPECT_TRUE(section.Set("display3", "0x10"));  // the same text: nothing to write
  EXPECT_TRUE(section.SetInteger("DISPLAY5", -7));
  EXPECT_TRUE(section.Set("DISPLAY4", "3700\r\n[System]"));
  section.Write(ini, "Calibration");
  EXPECT_EQ(ini.Text(),
            "[System]\r\n"
            "MoveStep=1\r\n"
            "\r\n"
            "[Calibration]\r\n"
            "\\\\.\\DISPLAY1=3800\r\n"
            "; measured with a steel rule\r\n"
            "\\\\.\\DISPLAY2=\"abc\"\r\n"
            "\\\\.\\display1=1\r\n"
            "DISPLAY3=0x10\r\n"
            "DISPLAY5=-7\r\n"
            "DISPLAY4=3700[System]\r\n"
            "\r\n"
            "[ToolBar]\r\n"
            "Show=1\r\n");
  // What was written reads back the same.
  SectionEntries again = SectionEntries::Read(IniFile(ini.Text()), "Calibration");
  EXPECT_EQ(again.Integer("\\\\.\\DISPLAY1"), 3800);
  EXPECT_EQ(again.Integer("DISPLAY5"), -7);
  EXPECT_EQ(again.Find("DISPLAY4"), "3700[System]");
}

TEST(SectionEntries, ARemovedKeyLeavesTheFileWithItsRepeatsAndTheRestStays) {
  IniFile ini(kFile);
  SectionEntries section = SectionEntries::Read(ini, "Calibration");
  EXPECT_TRUE(section.Remove("\\\\.\\Display1"));
  EXPECT_FALSE(section.Remove("DISPLAY4")) << "no such entry";
  EXPECT_FALSE(section.Find("\\\\.\\DISPLAY1").has_value());
  section.Write(ini, "Calibration");
  EXPECT_EQ(ini.Text(),
            "[System]\r\n"
            "MoveStep=1\r\n"
            "\r\n"
            "[Calibration]\r\n"
            "; measured with a steel rule\r\n"
            "\\\\.\\DISPLAY2=\"abc\"\r\n"
            "DISPLAY3=0x10\r\n"
            "\r\n"
            "[ToolBar]\r\n"
            "Show=1\r\n");
  // Set again, it comes back last.
  EXPECT_TRUE(section.SetInteger("\\\\.\\DISPLAY1", 5000));
  section.Write(ini, "Calibration");
  EXPECT_NE(ini.Text().find("DISPLAY3=0x10\r\n\\\\.\\DISPLAY1=5000\r\n\r\n[ToolBar]"), std::string::npos) << ini.Text();
}

TEST(SectionEntries, AMissingSectionIsAddedAtTheEndOfTheFile) {
  IniFile ini("[System]\r\nMoveStep=1\r\n");
  SectionEntries section;
  EXPECT_TRUE(section.SetInteger("B", 2));
  EXPECT_TRUE(section.SetInteger("A", 1));
  section.Write(ini, "Calibration");
  EXPECT_EQ(ini.Text(), "[System]\r\nMoveStep=1\r\n\r\n[Calibration]\r\nB=2\r\nA=1\r\n");
}

TEST(SectionEntries, KeysNoLineCouldHoldAreRefused) {
  const std::vector<std::string> refused = {
      "", "a=b", "a\r\nb", "a\nb", std::string("a\0b", 3), " a", "a ", "\ta", "[a]", "[a", ";a"};
  for (const std::string& key : refused) {
    SectionEntries section;
    EXPECT_FALSE(section.SetInteger(key, 1)) << '"' << key << '"';
    EXPECT_TRUE(section.entries().empty()) << '"' << key << '"';
  }
  SectionEntries section;
  EXPECT_TRUE(section.SetInteger("\\\\?\\DISPLAY#GSM5B09#5&1a2b&0&UID4352#{e6f07b5f}", 1));
}

}  // namespace
}  // namespace mensor
