// Reading and writing app.ini so that the user's file is never lost or
// mangled, whatever else has it open: a file that another program holds is
// waited for briefly; the new text goes to a temporary file beside app.ini
// that then takes its place in one step, retried while app.ini is in use;
// when no temporary file can be made, or app.ini stays in use, app.ini is
// rewritten in place. The steps themselves are the platform's; the decisions
// are made here.
#pragma once

#include <string>

#include "ui/platform.h"

namespace mensor {

// How long to wait between two tries of a file that is in use, and for how
// long in all (milliseconds).
inline constexpr int kFileRetryWaitMs = 50;
inline constexpr int kReadBusyBudgetMs = 2000;
inline constexpr int kReplaceBusyBudgetMs = 2000;
inline constexpr int kRewriteBusyBudgetMs = 500;
// A temporary file of another save that has not changed for this long was
// left by a save that was killed; the next save removes it.
inline constexpr long long kStaleTempAgeSeconds = 60;

// Reads the whole file, trying again while it is in use, for at most
// budget_ms.
FileRead ReadFileWaiting(Platform& platform, const std::string& path, int budget_ms);

enum class WriteOutcome {
  Replaced,   // the temporary file took the file's place
  Rewritten,  // the file was rewritten in place
  Failed,     // neither way worked; the file is as it was
};
// Gives path the content bytes (see the top of this file).
WriteOutcome WriteFileSafely(Platform& platform, const std::string& path, const std::string& bytes);

// The temporary file a save of path by process pid writes first.
std::string TempPathFor(const std::string& path, unsigned long pid);
// Removes the temporary files of path ("<path>.<pid>.tmp") that other
// processes left behind more than kStaleTempAgeSeconds ago.
void RemoveStaleTempFiles(Platform& platform, const std::string& path);

}  // namespace mensor
