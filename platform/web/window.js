// The page's side of the game's web window (platform/web_window.cpp): the
// canvas and its scale, the title, the waits that hand the page back to the
// browser, and the message dialog. The page holds <canvas id="plinkard"> and,
// under it, an element with the id "plinkard-keys".

mergeInto(LibraryManager.library, {
  $PlinkardPage: {
    canvas: null,
    context: null,
    image: null,       // an ImageData over the picture in the program's memory
    resume: null,      // ends the current sleep
    channel: null,     // for sleeps that only yield to the page
    shown: false,
    presented: false,  // whether a frame has been drawn yet

    Canvas: function() {
      if (!PlinkardPage.canvas) PlinkardPage.canvas = document.getElementById('plinkard');
      return PlinkardPage.canvas;
    },

    // The largest whole number of screen pixels per game pixel that fits the
    // browser window above the keys, drawn nearest-neighbour; where not even
    // one fits, scaled down smoothly to fit.
    Fit: function() {
      var canvas = PlinkardPage.Canvas();
      var keys = document.getElementById('plinkard-keys');
      var ratio = window.devicePixelRatio || 1;
      var roomWidth = document.documentElement.clientWidth * ratio;
      var roomHeight = (window.innerHeight - (keys ? keys.offsetHeight : 0)) * ratio;
      var scale = Math.min(roomWidth / canvas.width, roomHeight / canvas.height);
      if (scale >= 1) scale = Math.floor(scale);
      canvas.style.imageRendering = scale >= 1 ? 'pixelated' : 'auto';
      canvas.style.width = (canvas.width * scale / ratio) + 'px';
      canvas.style.height = (canvas.height * scale / ratio) + 'px';
    },

    Dialog: function() {
      var dialog = document.getElementById('plinkard-message');
      if (dialog) return dialog;
      dialog = document.createElement('dialog');
      dialog.id = 'plinkard-message';
      dialog.setAttribute('aria-labelledby', 'plinkard-message-title');
      var title = document.createElement('h1');
      title.id = 'plinkard-message-title';
      var prompt = document.createElement('p');
      var ok = document.createElement('button');
      ok.type = 'button';
      ok.textContent = 'OK';
      dialog.append(title, prompt, ok);
      document.body.append(dialog);
      return dialog;
    },
  },

  plinkard_page_show__deps: ['$PlinkardPage'],
  plinkard_page_show: function() {
    PlinkardPage.Canvas().hidden = false;
    if (!PlinkardPage.shown) {
      PlinkardPage.shown = true;
      window.addEventListener('resize', PlinkardPage.Fit);
    }
    PlinkardPage.Fit();
  },

  plinkard_page_set_title: function(text) {
    document.title = UTF8ToString(text);
  },

  plinkard_page_present__deps: ['$PlinkardPage'],
  plinkard_page_present: function(pixels, width, height, rects, count) {
    var canvas = PlinkardPage.Canvas();
    if (canvas.width !== width || canvas.height !== height) {
      canvas.width = width;
      canvas.height = height;
      PlinkardPage.Fit();
    }
    if (!PlinkardPage.context) {
      PlinkardPage.context = canvas.getContext('2d', {alpha: false});
      // A browser short of memory may drop the canvas's pixels; it gets them back whole.
      canvas.addEventListener('contextrestored', function() {
        var image = PlinkardPage.image;
        if (image && image.data.buffer === HEAPU8.buffer) PlinkardPage.context.putImageData(image, 0, 0);
      });
    }
    // The memory can move when it grows: the view is made again then.
    var image = PlinkardPage.image;
    if (!image || image.data.buffer !== HEAPU8.buffer || image.data.byteOffset !== pixels ||
        image.width !== width || image.height !== height) {
      image = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, pixels, width * height * 4), width, height);
      PlinkardPage.image = image;
    }
    for (var i = 0; i < count; ++i) {
      var r = (rects >> 2) + 4 * i;
      PlinkardPage.context.putImageData(image, 0, 0, HEAP32[r], HEAP32[r + 1], HEAP32[r + 2], HEAP32[r + 3]);
    }
    if (!PlinkardPage.presented) {
      PlinkardPage.presented = true;
      performance.mark('plinkard-first-frame');
    }
  },

  // A positive `ms` sleeps on a timer, 0 only lets the page run its pending
  // tasks, and a negative one waits for plinkard_page_wake alone.
  plinkard_page_sleep__deps: ['$PlinkardPage'],
  plinkard_page_sleep: function(ms) {
    return Asyncify.handleSleep(function(wakeUp) {
      var done = false;
      var timer = ms > 0 ? setTimeout(resume, ms) : 0;
      function resume() {
        if (done) return;
        done = true;
        clearTimeout(timer);
        if (PlinkardPage.resume === resume) PlinkardPage.resume = null;
        wakeUp();
      }
      PlinkardPage.resume = resume;
      if (ms === 0) {
        // A message, unlike a timer, is never held back to 4 ms.
        if (!PlinkardPage.channel) {
          PlinkardPage.channel = new MessageChannel();
          PlinkardPage.channel.port1.onmessage = function() {
            if (PlinkardPage.resume) PlinkardPage.resume();
          };
        }
        PlinkardPage.channel.port2.postMessage(0);
      }
    });
  },

  // Called from the program's own event handlers: the sleeper resumes once
  // they have returned.
  plinkard_page_wake__deps: ['$PlinkardPage'],
  plinkard_page_wake: function() {
    var resume = PlinkardPage.resume;
    if (resume) queueMicrotask(resume);
  },

  // Enter, Escape or a click on OK answers it. The game resumes after the
  // answering event is over, so that no key of it reaches the game.
  plinkard_page_message_box__deps: ['$PlinkardPage'],
  plinkard_page_message_box: function(prompt, title) {
    var promptText = UTF8ToString(prompt);
    var titleText = UTF8ToString(title);
    return Asyncify.handleSleep(function(wakeUp) {
      var dialog = PlinkardPage.Dialog();
      var ok = dialog.querySelector('button');
      dialog.querySelector('h1').textContent = titleText;
      dialog.querySelector('p').textContent = promptText;
      var answered = false;
      function answer(event) {
        event.preventDefault();
        if (answered) return;
        answered = true;
        ok.removeEventListener('click', answer);
        dialog.removeEventListener('keydown', onKey);
        dialog.removeEventListener('cancel', answer);
        dialog.close();
        setTimeout(wakeUp, 0);
      }
      function onKey(event) {
        if (event.key === 'Enter' || event.key === 'Escape') answer(event);
      }
      ok.addEventListener('click', answer);
      dialog.addEventListener('keydown', onKey);
      dialog.addEventListener('cancel', answer);
      dialog.showModal();
      ok.focus();
    });
  },
});
