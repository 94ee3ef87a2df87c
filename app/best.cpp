#include "app/best.h"

#include <algorithm>
#include <exception>

namespace {

constexpr const char* kSplitsHeader = "# Plinkard best splits: the earliest frame any finished run at 100% reached each point on\n";

std::int64_t Door(const BestRun& run) { return *run.recording.result->door; }

// "Flag 1 1203" lines, as WriteSplits writes them; anything else is skipped.
// (Read without a string stream, whose locales the web page would carry.)
Splits ReadSplits(const std::string& text) {
  Splits splits;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    const std::string line = text.substr(at, end - at);
    at = end + 1;
    for (int i = 0; i < kSplitPoints; ++i) {
      const std::string name = SplitName(SplitPoint(i)) + std::string(" ");
      if (line.rfind(name, 0) != 0) continue;
      try {
        std::size_t used = 0;
        const long long frame = std::stoll(line.substr(name.size()), &used);
        if (frame > 0 && used == line.size() - name.size()) splits.at[std::size_t(i)] = frame;
      } catch (const std::exception&) {
      }
    }
  }
  return splits;
}

void KeepEarliest(Splits& best, const Splits& run) {
  for (std::size_t i = 0; i < best.at.size(); ++i) {
    if (run.at[i] && (!best.at[i] || *run.at[i] < *best.at[i])) best.at[i] = run.at[i];
  }
}

}  // namespace

BestStore::BestStore(platform::KeptTexts* kept, const std::function<void(const std::string&)>& say) : kept_(kept) {
  if (kept_ == nullptr) return;
  if (const std::optional<std::string> text = kept_->Read(kRunName)) {
    std::string fault;
    try {
      replay::Recording recording = replay::ReadRecording(*text, kept_->Where(kRunName));
      const replay::Verdict verdict = replay::Verify(recording);
      if (verdict.kind != replay::Verdict::Kind::Verified) {
        fault = verdict.words;
      } else if (!Counts(recording)) {
        fault = "not a run at 100% that opens the door";
      } else {
        const Splits splits = SplitsOf(recording.script.events);
        run_ = BestRun{*text, std::move(recording), splits};
      }
    } catch (const replay::ScriptError& error) {
      fault = error.what();
    }
    if (!fault.empty()) {
      const bool moved = kept_->SetAside(kRunName, kSetAsideName);
      say("plinkard: the best kept in " + kept_->Where(kRunName) + " is not trusted (" + fault + ")" +
          (moved ? ": set aside as " + kept_->Where(kSetAsideName) : ""));
    }
  }
  if (const std::optional<std::string> text = kept_->Read(kSplitsName)) bestSplits_ = ReadSplits(*text);
  if (run_) KeepEarliest(bestSplits_, run_->splits);
}

bool BestStore::Counts(const replay::Recording& recording) {
  if (!recording.result || !recording.result->door) return false;
  for (const int speed : recording.result->speeds) {
    if (speed != 100) return false;
  }
  return true;
}

std::string BestStore::WriteSplits() {
  std::string text = kSplitsHeader;
  for (int i = 0; i < kSplitPoints; ++i) {
    if (const auto& at = bestSplits_.at[std::size_t(i)]) {
      text += SplitName(SplitPoint(i));
      text += ' ';
      text += std::to_string(*at);
      text += '\n';
    }
  }
  std::string error;
  if (kept_ != nullptr && !kept_->Write(kSplitsName, text, error)) return "plinkard: can't keep the best splits: " + error;
  return "";
}

// Keeps the run as the best if it beats it; answers the line to say.
std::string BestStore::Keep(const std::string& text, const replay::Recording& recording, const Splits& splits) {
  KeepEarliest(bestSplits_, splits);
  const std::string splitsFault = WriteSplits();
  const std::int64_t door = *recording.result->door;
  if (run_ && Door(*run_) <= door) return splitsFault;
  std::string error;
  if (kept_ != nullptr && !kept_->Write(kRunName, text, error)) return "plinkard: can't keep the new best: " + error;
  std::string line = "New best: " + RaceTime(door);
  if (run_) line += ", " + RaceTime(Door(*run_) - door) + " better than " + RaceTime(Door(*run_));
  run_ = BestRun{text, recording, splits};
  return line;
}

std::string BestStore::Offer(const std::string& text, const Splits& splits) {
  replay::Recording recording;
  try {
    recording = replay::ReadRecording(text, "the run");
  } catch (const replay::ScriptError&) {
    return "";  // the recorder's own text: never
  }
  if (!Counts(recording)) return "";
  return Keep(text, recording, splits);
}

BestStore::Imported BestStore::Import(const std::string& text, const std::string& name) {
  replay::Recording recording;
  try {
    recording = replay::ReadRecording(text, name);
  } catch (const replay::ScriptError& error) {
    return {1, std::string(error.what()) + ": not imported"};
  }
  const replay::Verdict verdict = replay::Verify(recording);
  if (verdict.kind != replay::Verdict::Kind::Verified) return {1, name + ": " + verdict.words + ": not imported"};
  if (!Counts(recording)) return {0, name + ": not kept: it is not a run at 100% that opens the door"};
  const std::int64_t door = *recording.result->door;
  if (run_ && Door(*run_) <= door) {
    return {0, name + ": not kept: " + RaceTime(door) + " does not beat the best, " + RaceTime(Door(*run_))};
  }
  if (kept_ == nullptr) return {1, name + ": not kept: there is no place to keep it (no home folder)"};
  const std::string said = Keep(text, recording, SplitsOf(recording.script.events));
  if (said.rfind("New best", 0) != 0) return {1, said};
  return {0, name + ": kept as the best (" + kept_->Where(kRunName) + "). " + said};
}
