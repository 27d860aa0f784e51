// The ruler's popup menu as a table of commands (commands/command_table.h):
// one row per entry in menu order, with the state each entry shows and the
// handler it runs. The menu, ExecuteCommand, the shortcut keys and the
// ruler's text table follow from it.
#pragma once

#include "commands/command_table.h"
#include "lang/language_pack.h"

namespace mensor {

class TMainForm;

// Command ids of the popup menu's entries.
enum MenuCommand : int {
  kCmdAbout = 1,
  kCmdHelp,
  kCmdHide,
  kCmdOnTop,
  kCmdTranser,
  kCmdPixels,
  kCmdCM,
  kCmdInch,
  kCmdCustom,
  kCmdCircum,
  kCmdLeval,
  kCmdPlumb,
  kCmdFitHorizontal,
  kCmdFitVertical,
  kCmdDrawLine,
  kCmdShowScaleLine,
  kCmdToolBar,
  kCmdCalculator,
  kCmdConfig,
  kCmdEnglish,
  kCmdExit,
  kCmdScaledPixels,
  kCmdTrueSize,
  kCmdCalibrate,
  kCmdSnapToEdges,
  kCmdMeasureGap,
  kCmdLanguageFirst = 1000,  // one per language pack, in list order
};

// The ruler's commands, in menu order.
extern const CommandTable<TMainForm> kRulerCommands;

// The ruler window's texts, all rule A: the captions of its commands, then
// "HideCaption" and "ShowCaption" for the Hide/Show item, its messages, and
// "InfoCaption", the caption of every information box.
extern const TextTable kMainFormTexts;

}  // namespace mensor
