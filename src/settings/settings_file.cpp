// The retry and fallback decisions of reading and writing app.ini.
#include "settings/settings_file.h"

#include <optional>
#include <string>

namespace mensor {
namespace {

constexpr std::string_view kTempSuffix = ".tmp";

// The process identifier a temporary file's name gives (32 bits, as the
// system's), or nothing when the text is no such number.
std::optional<unsigned long> ProcessIdOf(std::string_view digits) {
  if (digits.empty() || digits.size() > 10) return std::nullopt;
  unsigned long long value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  if (value > 0xFFFFFFFFull) return std::nullopt;
  return static_cast<unsigned long>(value);
}

FileResult Outcome(FileResult result) { return result; }
FileResult Outcome(const FileRead& read) { return read.result; }

// Runs attempt until it gives something other than Busy or budget_ms has
// been spent waiting.
template <typename Attempt>
auto WhileBusy(Platform& platform, int budget_ms, Attempt attempt) {
  auto result = attempt();
  for (int waited = 0; Outcome(result) == FileResult::Busy && waited < budget_ms;
       waited += kFileRetryWaitMs) {
    platform.Sleep(kFileRetryWaitMs);
    result = attempt();
  }
  return result;
}

}  // namespace

FileRead ReadFileWaiting(Platform& platform, const std::string& path, int budget_ms) {
  return WhileBusy(platform, budget_ms, [&] { return platform.ReadSharedFile(path); });
}

std::string TempPathFor(const std::string& path, unsigned long pid) {
  return path + "." + std::to_string(pid) + std::string(kTempSuffix);
}

void RemoveStaleTempFiles(Platform& platform, const std::string& path) {
  const std::string prefix = path + ".";
  const std::string own = TempPathFor(path, platform.ProcessId());
  for (const FileEntry& entry : platform.FilesStartingWith(prefix)) {
    const std::string_view name = entry.path;
    if (name.size() <= prefix.size() + kTempSuffix.size() || name.substr(0, prefix.size()) != prefix ||
        name.substr(name.size() - kTempSuffix.size()) != kTempSuffix)
      continue;
    const std::string_view pid = name.substr(prefix.size(), name.size() - prefix.size() - kTempSuffix.size());
    const std::optional<unsigned long> writer = ProcessIdOf(pid);
    if (!writer || entry.path == own) continue;
    // A young file of a running process may belong to a save under way.
    if (!platform.ProcessRunning(*writer) || entry.age_seconds >= kStaleTempAgeSeconds)
      platform.RemoveFile(entry.path);
  }
}

WriteOutcome WriteFileSafely(Platform& platform, const std::string& path, const std::string& bytes, bool exists) {
  if (!exists) {
    // Nothing of the user's to lose, and no second way: a temporary file
    // renamed to path would replace a dangling link.
    const FileResult created =
        WhileBusy(platform, kReplaceBusyBudgetMs, [&] { return platform.WriteNewFile(path, bytes); });
    return created == FileResult::Done ? WriteOutcome::Created : WriteOutcome::Failed;
  }
  const std::string temp = TempPathFor(path, platform.ProcessId());
  // A replace refused while another program has the file open (another
  // instance reading it for its own save, an editor, a backup tool) lasts a
  // moment, so it is tried again for a while.
  if (platform.WriteNewFile(temp, bytes) == FileResult::Done &&
      WhileBusy(platform, kReplaceBusyBudgetMs, [&] { return platform.MoveOver(temp, path); }) == FileResult::Done)
    return WriteOutcome::Replaced;
  // What cannot be replaced (or a folder that takes no new files) may still
  // let the file be changed in place.
  platform.RemoveFile(temp);
  const FileResult rewritten =
      WhileBusy(platform, kRewriteBusyBudgetMs, [&] { return platform.RewriteFile(path, bytes); });
  return rewritten == FileResult::Done ? WriteOutcome::Rewritten : WriteOutcome::Failed;
}

}  // namespace mensor
