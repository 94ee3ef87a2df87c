// The page's runs (app/web_main.cpp): the run of its link, read before the
// program starts; its buttons to save the run, open one from a file, copy a
// link to it, go back to the game, save the best as a file and import one;
// files dropped on it; and the lines it shows: the finish line
// (#plinkard-result, which a screen reader announces) and news such as why a
// file is no run or a new best (#plinkard-status), always as text.

mergeInto(LibraryManager.library, {
  // The page's runs: what a link holds, and what the buttons do with runs.
  $PlinkardRuns__deps: ['malloc', 'free'],
  // The program starts once the run of the page's link, if it has one, is read.
  $PlinkardRuns__postset: 'PlinkardRuns.ReadLink();',
  $PlinkardRuns: {
    largest: 4 * 1024 * 1024,  // no run is larger: an hour's is well under 1 MB
    linked: null,              // the text of the run in the page's link

    ReadLink: function() {
      if (!location.hash.startsWith('#run=')) return;
      addRunDependency('plinkard-link');
      PlinkardRuns.Decode(location.hash.slice(5)).then(function(text) {
        PlinkardRuns.linked = text;
      }, function(error) {
        PlinkardRuns.Say('This link holds no run: ' + error.message + '.');
      }).finally(function() {
        removeRunDependency('plinkard-link');
      });
    },

    // The text of the run a link holds: base64url without padding, raw
    // DEFLATE, UTF-8. Throws, saying why, for anything else.
    Decode: async function(code) {
      if (!/^[A-Za-z0-9_-]*$/.test(code)) throw new Error('it has characters no run link has');
      var base64 = code.replace(/-/g, '+').replace(/_/g, '/');
      var binary;
      try {
        binary = atob(base64 + '==='.slice((base64.length + 3) % 4));
      } catch (error) {
        throw new Error('it is cut short');
      }
      var bytes = Uint8Array.from(binary, function(c) { return c.charCodeAt(0); });
      var reader = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('deflate-raw')).getReader();
      var chunks = [], total = 0;
      try {
        for (;;) {
          var part = await reader.read();
          if (part.done) break;
          total += part.value.length;
          if (total > PlinkardRuns.largest) {
            reader.cancel();
            throw new RangeError('it unpacks to more than 4 MB');
          }
          chunks.push(part.value);
        }
      } catch (error) {
        throw error instanceof RangeError ? error : new Error('it is cut short or damaged');
      }
      var text = new Uint8Array(total), at = 0;
      chunks.forEach(function(chunk) { text.set(chunk, at); at += chunk.length; });
      try {
        return new TextDecoder('utf-8', {fatal: true}).decode(text);
      } catch (error) {
        throw new Error('it holds no text');
      }
    },

    // A string in the program's memory, for it to read and free.
    Copy: function(text) {
      var size = lengthBytesUTF8(text) + 1;
      var pointer = _malloc(size);
      stringToUTF8(text, pointer, size);
      return pointer;
    },

    Say: function(text) {
      var line = document.getElementById('plinkard-status');
      if (line) line.textContent = text;
    },

    // The program's answer to `call` (one of its exports) with the text and its name.
    Ask: function(call, text, name) {
      var pointer = PlinkardRuns.Copy(text), naming = PlinkardRuns.Copy(name);
      var answer = UTF8ToString(Module[call](pointer, naming));
      _free(pointer);
      _free(naming);
      return answer;
    },

    // Watches the run, or says why it can't.
    Open: function(text, name) {
      if (text.length > PlinkardRuns.largest) {
        PlinkardRuns.Say(name + ' is larger than 4 MB: no run is.');
        return;
      }
      PlinkardRuns.Say(PlinkardRuns.Ask('_plinkard_page_open_run', text, name) || 'Watching ' + name + '.');
    },

    // Keeps the run as the best if it verifies and beats it; says which happened.
    ImportBest: function(text, name) {
      PlinkardRuns.Say(PlinkardRuns.Ask('_plinkard_page_import_best', text, name));
    },

    // Offers the text (of the run or the best: `what`) as a file to download.
    Download: function(text, name, what) {
      var link = document.createElement('a');
      link.href = URL.createObjectURL(new Blob([text], {type: 'text/plain'}));
      link.download = name;
      document.body.append(link);
      link.click();
      link.remove();
      setTimeout(function() { URL.revokeObjectURL(link.href); }, 10000);
      PlinkardRuns.Say('Saved the ' + what + ' as ' + name + '.');
    },

    OpenLink: function() {
      if (!location.hash.startsWith('#run=')) return;
      PlinkardRuns.Decode(location.hash.slice(5)).then(function(text) {
        PlinkardRuns.Open(text, 'the link\'s run');
      }, function(error) {
        PlinkardRuns.Say('This link holds no run: ' + error.message + '.');
      });
    },

    // Hands the text of the file to `act` (Open or ImportBest), or says why it can't.
    ReadFile: function(file, act) {
      if (!file) return;
      if (file.size > PlinkardRuns.largest) {
        PlinkardRuns.Say(file.name + ' is larger than 4 MB: no run is.');
        return;
      }
      file.arrayBuffer().then(function(buffer) {
        var text;
        try {
          text = new TextDecoder('utf-8', {fatal: true}).decode(buffer);
        } catch (error) {
          PlinkardRuns.Say('Not a run: ' + file.name + ' holds no text.');
          return;
        }
        act(text, file.name);
      });
    },
  },

  plinkard_page_link_run__deps: ['$PlinkardRuns'],
  plinkard_page_link_run: function() {
    return PlinkardRuns.linked === null ? 0 : PlinkardRuns.Copy(PlinkardRuns.linked);
  },

  plinkard_page_listen_runs__deps: ['$PlinkardRuns'],
  plinkard_page_listen_runs: function() {
    var button = function(id, act) {
      var element = document.getElementById(id);
      if (!element) return;
      // A button never keeps the focus: Space and the arrows stay the game's.
      element.addEventListener('mousedown', function(event) { event.preventDefault(); });
      element.addEventListener('click', function(event) {
        element.blur();
        act(event);
      });
    };
    button('plinkard-save', function() {
      PlinkardRuns.Download(UTF8ToString(Module['_plinkard_page_run_text']()), 'plinkard-run.txt', 'run');
    });
    button('plinkard-save-best', function() {
      var text = UTF8ToString(Module['_plinkard_page_best_text']());
      if (text) {
        PlinkardRuns.Download(text, 'best.txt', 'best');
      } else {
        PlinkardRuns.Say('No best is kept yet: open the door at 100%, or import a best.');
      }
    });
    // The file picked is watched, or imported as the best.
    var picker = document.getElementById('plinkard-file'), picked = PlinkardRuns.Open;
    var pick = function(act) {
      picked = act;
      if (picker) picker.click();
    };
    button('plinkard-open', function() { pick(PlinkardRuns.Open); });
    button('plinkard-import-best', function() { pick(PlinkardRuns.ImportBest); });
    if (picker) {
      picker.addEventListener('change', function() {
        PlinkardRuns.ReadFile(picker.files[0], picked);
        picker.value = '';
      });
    }
    button('plinkard-link', function() {
      var url = location.href.split('#')[0] + UTF8ToString(Module['_plinkard_page_run_link']());
      var field = document.getElementById('plinkard-link-text');
      if (field) field.value = '';
      var copied = navigator.clipboard ? navigator.clipboard.writeText(url) : Promise.reject();
      copied.then(function() {
        PlinkardRuns.Say('Link copied: ' + url.length + ' characters.');
      }, function() {
        // Where the page may not write to the clipboard, the link shows for copying by hand.
        if (field) {
          field.value = url;
          field.select();
        }
        PlinkardRuns.Say('Copy the link from the field beside the buttons.');
      });
    });
    button('plinkard-back', function() { Module['_plinkard_page_back'](); });
    document.addEventListener('dragover', function(event) { event.preventDefault(); });
    document.addEventListener('drop', function(event) {
      event.preventDefault();
      PlinkardRuns.ReadFile(event.dataTransfer && event.dataTransfer.files[0], PlinkardRuns.Open);
    });
    window.addEventListener('hashchange', PlinkardRuns.OpenLink);
  },

  plinkard_page_watching: function(watching) {
    document.documentElement.classList.toggle('watching', !!watching);
    var back = document.getElementById('plinkard-back');
    if (back) back.hidden = !watching;
    // On the touch buttons, Up and Down speed the run up and slow it down.
    var labels = watching ? {Up: '\u00d72', Down: '\u00bd'} : {Up: '\u2191', Down: '\u2193'};
    Object.keys(labels).forEach(function(key) {
      var element = document.querySelector('[data-key=' + key + ']');
      if (element) element.textContent = labels[key];
    });
  },

  plinkard_page_result: function(line) {
    var element = document.getElementById('plinkard-result');
    if (element) element.textContent = UTF8ToString(line);
  },

  plinkard_page_say__deps: ['$PlinkardRuns'],
  plinkard_page_say: function(line) {
    PlinkardRuns.Say(UTF8ToString(line));
  },

});
