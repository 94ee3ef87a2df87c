// Plinkard on a web page: the same game, in the page's canvas, recorded as it
// is played; and runs watched. The page's buttons save the run (the one played
// or the one watched) as a file, open one from a file or one dropped on the
// page, and copy a link to it; a link opens the run it holds. Watching, the
// game waits paused until the page goes back to it. The game and the runs
// watched are raced as on the desktop (app/race_window.h): the timer, the
// ghost of the best, the speed and one frame on; the best is kept in the
// browser's storage, and its buttons save it as a file and import one.
#include "app/web_main.h"

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/best.h"
#include "app/race_window.h"
#include "app/recorder.h"
#include "app/viewer.h"
#include "core/layout.h"
#include "platform/web/window.h"
#include "replay/link.h"
#include "replay/recording.h"
#include "replay/seekable_run.h"

// The page's side, in app/web_page.js.
extern "C" {
// The run in the page's link, if it has one: its text (to be freed), or
// null. A link that holds no run has said so on the page.
char* plinkard_page_link_run();
// Wires the page's buttons for runs, and the dropping of files on it.
void plinkard_page_listen_runs();
// Whether a run is watched: the buttons change with it.
void plinkard_page_watching(int watching);
// The line that says the door opened, for the player to read and copy.
void plinkard_page_result(const char* line);
// A line of news on the page, such as why a file is no run or a new best.
void plinkard_page_say(const char* line);
}

namespace {

// Thrown from a pump to leave the loop that runs: the page goes from playing
// to watching, from one run watched to another, or back to playing.
struct PageTurns {};

void Result(const std::string& line);

// A line of the race's for the page: without the desktop's "plinkard: "
// before a fault, the program's name, which the page needs not.
std::string OnPage(const std::string& line) {
  constexpr std::string_view program = "plinkard: ";
  return line.starts_with(program) ? line.substr(program.size()) : line;
}

// What the race says (a new best, a best or a ghost that can't be had), on
// the page's line of news.
void Say(const std::string& line) { plinkard_page_say(OnPage(line).c_str()); }

struct Page {
  platform::WebWindow window;
  std::unique_ptr<platform::KeptTexts> kept = platform::PlayersKeptTexts();
  BestStore best{kept.get(), Say};
  Game game{window};
  // The game on the page: Game -> recorder -> racing -> the page's window.
  RaceWindow racing{window,
                    RaceDriver{.shown = [this]() -> const Game& { return game; },
                               .paused = [this] { return game.Paused != False; },
                               .setSpeed = [this](int percent) { game.FramePeriod = layout::FrameMs * 100 / percent; },
                               .runText = [this] { return recorder.Finished(); }},
                    {},
                    &best,
                    nullptr,
                    Say};
  RecordingWindow recorder{racing, game, nullptr, replay::WriteAsItGoes(nullptr, false, Result)};
  std::string result;                  // the game's finish line, once its door has opened
  bool started = false;                // the game has started
  bool running = false;                // the game or a viewer runs, and hears the page's asking
  std::optional<std::string> opening;  // the run to watch next
  std::optional<replay::Recording> watched;
  std::string watchedText;
  std::unique_ptr<replay::SeekableRun> run;
  RaceWindow* watchRacing = nullptr;  // the race over the run watched, which sees its every frame
  std::string answer;                 // what the last call from the page returned
};

Page* page = nullptr;

void Result(const std::string& line) {
  page->result = line;
  plinkard_page_result(line.c_str());
}

void Watch() {
  page->watchedText = *page->opening;
  page->watched = replay::ReadRecording(page->watchedText, "run");
  page->opening.reset();
  page->run = std::make_unique<replay::SeekableRun>(page->watched->script.events, [](const Game& game) {
    if (page->watchRacing != nullptr) page->watchRacing->See(game);
  });
  plinkard_page_watching(1);
  plinkard_page_result("");
  // The run watched: Viewer -> racing -> the page's window.
  Viewer* viewer = nullptr;
  RaceWindow racing(page->window,
                    RaceDriver{.shown = [&]() -> const Game& { return viewer->Shown(); },
                               .paused = [&] { return viewer->Paused(); },
                               .setSpeed = [&](int percent) { viewer->SetSpeed(percent); },
                               .watching = true,
                               .runText = {}},
                    {}, &page->best, nullptr, Say);
  page->watchRacing = &racing;
  try {
    Viewer shown(
        racing, *page->run, [](const std::string& line) { plinkard_page_result(line.c_str()); }, false);
    viewer = &shown;
    shown.Run();
  } catch (const PageTurns&) {
  }
  page->watchRacing = nullptr;
  plinkard_page_watching(0);
  page->run.reset();
  page->watched.reset();
}

void Play() {
  plinkard_page_result(page->result.c_str());
  try {
    if (page->started) {
      page->game.GameLoop();
    } else {
      page->started = true;
      page->game.Form_Load();
    }
  } catch (const PageTurns&) {
  }
}

}  // namespace

Game* PageGame() { return page != nullptr ? &page->game : nullptr; }

// Called by the page's buttons and its links, between the game's pumps (the
// link keeps them: app/CMakeLists.txt lists them).
extern "C" {

// The run to save or to share: the one watched, or the one played so far.
const char* plinkard_page_run_text() {
  page->answer = page->run ? page->watchedText : page->recorder.Finished();
  return page->answer.c_str();
}

const char* plinkard_page_run_link() {
  page->answer = replay::LinkFragment(plinkard_page_run_text());
  return page->answer.c_str();
}

// Watches the run in `text`, or answers why it can't: "" when it will.
const char* plinkard_page_open_run(const char* text, const char* name) {
  try {
    replay::ReadRecording(text, name);
  } catch (const replay::ScriptError& error) {
    page->answer = std::string("Not a run: ") + error.what();
    return page->answer.c_str();
  }
  page->opening = text;
  if (page->running) page->window.Ask();
  page->answer.clear();
  return page->answer.c_str();
}

void plinkard_page_back() {
  if (page->run) page->window.Ask();
}

// The best run's recording, to save as a file: "" when none is kept.
const char* plinkard_page_best_text() {
  page->answer = page->best.Run() ? page->best.Run()->text : "";
  return page->answer.c_str();
}

// Imports the run in `text` as the best, as plinkard --import-best does:
// answers the line that says what became of it.
const char* plinkard_page_import_best(const char* text, const char* name) {
  page->answer = OnPage(page->best.Import(text, name).words);
  return page->answer.c_str();
}
}

int main() {
  page = new Page;  // lives as long as the page
  platform::WebWindow& window = page->window;
  page->game.window = &page->recorder;
  // A page out of sight pauses as P does, and stays paused until the player
  // resumes it: the game does not run on unseen, nor catch up on its return.
  window.WhenHidden([] {
    if (!page->run && page->game.Paused == False) page->window.Press(vk::P);
  });
  // Leaving the game to watch a run, it pauses first, as P does.
  window.WhenAsked([] {
    if (!page->run && page->started && page->game.Paused == False) page->window.Press(vk::P);
    throw PageTurns{};
  });
  plinkard_page_listen_runs();
  if (char* linked = plinkard_page_link_run()) {
    const std::string answer = plinkard_page_open_run(linked, "link");
    std::free(linked);
    if (!answer.empty()) plinkard_page_say(answer.c_str());
  }
  page->running = true;
  for (;;) {
    if (page->opening) {
      Watch();
    } else {
      Play();
    }
  }
}
