// Plinkard on a web page: the same game, in the page's canvas, recorded as it
// is played; and runs watched. The page's buttons save the run (the one played
// or the one watched) as a file, open one from a file or one dropped on the
// page, and copy a link to it; a link opens the run it holds. Watching, the
// game waits paused until the page goes back to it.
#include "app/web_main.h"

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "app/recorder.h"
#include "app/viewer.h"
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
// A line of news on the page, such as why a file is no run.
void plinkard_page_say(const char* line);
}

namespace {

// Thrown from a pump to leave the loop that runs: the page goes from playing
// to watching, from one run watched to another, or back to playing.
struct PageTurns {};

void Result(const std::string& line);

struct Page {
  platform::WebWindow window;
  Game game{window};
  RecordingWindow recorder{window, game, nullptr, replay::WriteAsItGoes(nullptr, false, Result)};
  std::string result;                  // the game's finish line, once its door has opened
  bool started = false;                // the game has started
  bool running = false;                // the game or a viewer runs, and hears the page's asking
  std::optional<std::string> opening;  // the run to watch next
  std::optional<replay::Recording> watched;
  std::string watchedText;
  std::unique_ptr<replay::SeekableRun> run;
  std::string answer;  // what the last call from the page returned
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
  page->run = std::make_unique<replay::SeekableRun>(page->watched->script.events, nullptr);
  plinkard_page_watching(1);
  plinkard_page_result("");
  try {
    Viewer(
        page->window, *page->run, [](const std::string& line) { plinkard_page_result(line.c_str()); }, false)
        .Run();
  } catch (const PageTurns&) {
  }
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
