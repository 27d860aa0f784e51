// Reading and writing app.ini so that the user's file is never lost or
// mangled, whatever else has it open: a file that another program holds is
// waited for briefly; the new text goes to a temporary file beside app.ini
// that then takes its place in one step, retried while app.ini is in use;
// when no temporary file can be made, or app.ini stays in use, app.ini is
// rewritten in place. An app.ini that does not exist yet is created by its
// own name, which keeps a symbolic link that names no file yet a link. The
// temporary files of saves that were killed are removed at start-up and at
// each save. The steps themselves are the platform's; the decisions are made
// here.
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
// A temporary file of another process that is still running but has not
// changed it for this long was left by a save that was killed (the process
// identifier has been given to another program since).
inline constexpr long long kStaleTempAgeSeconds = 60;

// Reads the whole file, trying again while it is in use, for at most
// budget_ms.
FileRead ReadFileWaiting(Platform& platform, const std::string& path, int budget_ms);

enum class WriteOutcome {
  Replaced,   // the temporary file took the file's place
  Rewritten,  // the file was rewritten in place
  Created,    // the file did not exist and was created by its name
  Failed,     // no way worked; the file is as it was
};
// Gives path the content bytes (see the top of this file); exists tells
// whether path named a file when it was read. A file that does not exist is
// created by its name, never through a temporary file: where path is a
// symbolic link to a file that does not exist yet, the system creates the
// file the link names (in its folder, or fails when that folder is missing),
// while a rename would put the new file in the link's place.
WriteOutcome WriteFileSafely(Platform& platform, const std::string& path, const std::string& bytes, bool exists);

// The temporary file a save of path by process pid writes first.
std::string TempPathFor(const std::string& path, unsigned long pid);
// Removes the temporary files of path ("<path>.<pid>.tmp") that other
// processes left behind: those of processes that have ended, and those
// unchanged for kStaleTempAgeSeconds. Called at start-up and at each save.
void RemoveStaleTempFiles(Platform& platform, const std::string& path);

}  // namespace mensor
