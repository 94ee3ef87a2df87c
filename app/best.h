// The player's best: the recording of the fastest run at full speed that
// opened the door (with its check lines, so that it proves itself), and the
// best splits, the earliest frame any such run reached each point on. They
// are kept as best.txt and splits.txt among the player's kept texts.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/splits.h"
#include "platform/kept_texts.h"
#include "replay/recording.h"

struct BestRun {
  std::string text;  // the recording
  replay::Recording recording;
  Splits splits;
};

class BestStore {
 public:
  static constexpr const char* kRunName = "best.txt";
  static constexpr const char* kSplitsName = "splits.txt";
  static constexpr const char* kSetAsideName = "best.txt.failed";

  // Reads what is kept (`kept` may be null: nothing is). A best that does not
  // verify is set aside, never trusted: `say` hears one line of it.
  BestStore(platform::KeptTexts* kept, const std::function<void(const std::string&)>& say);

  const std::optional<BestRun>& Run() const { return run_; }
  const Splits& BestSplits() const { return bestSplits_; }

  // A run just played, with its splits: its best splits are kept, and the
  // run becomes the best if it opened the door, at 100% all along, sooner
  // than the best. Answers the line to say ("New best: 0:17.40, 0:00.62
  // better than 0:18.02"), or "" when there is nothing to say.
  std::string Offer(const std::string& text, const Splits& splits);

  // What --import-best does with a recording from elsewhere: refused
  // (status 1, nothing kept) unless it verifies; kept if it also finishes at
  // 100% sooner than the best. `words` says which.
  struct Imported {
    int status;
    std::string words;
  };
  Imported Import(const std::string& text, const std::string& name);

 private:
  // Whether the run counts: it opened the door and was played at 100% all along.
  static bool Counts(const replay::Recording& recording);
  std::string Keep(const std::string& text, const replay::Recording& recording, const Splits& splits);
  std::string WriteSplits();

  platform::KeptTexts* kept_;
  std::optional<BestRun> run_;
  Splits bestSplits_;
};
