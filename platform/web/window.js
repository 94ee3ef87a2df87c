// The page's side of the game's web window (platform/web/window.cpp): the
// canvas and its scale, the title, the waits that hand the page back to the
// browser, the touch buttons, the game pads, and the message dialog. The page
// holds <canvas id="plinkard">, under it an element with the id
// "plinkard-foot", and its touch buttons: elements with a data-key naming
// their key. Where the buttons show, the body's padding keeps their room.

mergeInto(LibraryManager.library, {
  $PlinkardPage: {
    canvas: null,
    context: null,
    image: null,       // an ImageData over the picture in the program's memory
    resume: null,      // ends the current sleep
    channel: null,     // for sleeps that only yield to the page
    shown: false,
    presented: false,  // whether a frame has been drawn yet
    dialogOpen: false,
    unmapped: {},      // the pads in another layout, by id, once said
    noteTimer: 0,

    Canvas: function() {
      if (!PlinkardPage.canvas) PlinkardPage.canvas = document.getElementById('plinkard');
      return PlinkardPage.canvas;
    },

    // The largest whole number of screen pixels per game pixel that fits the
    // browser window inside the body's padding and above its foot, drawn
    // nearest-neighbour; where not even one fits, scaled down smoothly to fit.
    // With touch (the class "touch" on the page) the picture fills its room
    // beside the buttons, whole or not: a phone's screen is small and fine.
    Fit: function() {
      var canvas = PlinkardPage.Canvas();
      var foot = document.getElementById('plinkard-foot');
      var body = getComputedStyle(document.body);
      var ratio = window.devicePixelRatio || 1;
      var roomWidth = (document.documentElement.clientWidth - parseFloat(body.paddingLeft) -
                       parseFloat(body.paddingRight)) * ratio;
      var roomHeight = (window.innerHeight - parseFloat(body.paddingTop) - parseFloat(body.paddingBottom) -
                        (foot ? foot.offsetHeight : 0)) * ratio;
      var scale = Math.min(roomWidth / canvas.width, roomHeight / canvas.height);
      if (scale >= 1 && !document.documentElement.classList.contains('touch')) scale = Math.floor(scale);
      canvas.style.imageRendering = scale >= 1 ? 'pixelated' : 'auto';
      canvas.style.width = (canvas.width * scale / ratio) + 'px';
      canvas.style.height = (canvas.height * scale / ratio) + 'px';
    },

    // Enter, Escape, a click on OK or a tap answers it. The game resumes
    // after the answering event is over, so that no key of it reaches the game.
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
      ok.addEventListener('click', PlinkardPage.Answer);
      dialog.addEventListener('cancel', PlinkardPage.Answer);
      dialog.addEventListener('keydown', function(event) {
        if (event.key === 'Enter' || event.key === 'Escape') PlinkardPage.Answer(event);
      });
      // A finger put down and lifted anywhere on it or around it.
      var tap = null;
      dialog.addEventListener('pointerdown', function(event) {
        tap = event.pointerType === 'mouse' ? null : event.pointerId;
      });
      dialog.addEventListener('pointerup', function(event) {
        if (event.pointerId === tap) PlinkardPage.Answer(event);
      });
      return dialog;
    },

    Answer: function(event) {
      if (event) event.preventDefault();
      if (!PlinkardPage.dialogOpen) return;
      PlinkardPage.dialogOpen = false;
      PlinkardPage.Dialog().close();
      setTimeout(PlinkardPage.Wake, 0);
    },

    Wake: function() {
      if (PlinkardPage.resume) PlinkardPage.resume();
    },

    // A line at the foot of the page for a few seconds.
    Note: function(text) {
      var note = document.getElementById('plinkard-note');
      if (!note) {
        note = document.createElement('p');
        note.id = 'plinkard-note';
        note.setAttribute('role', 'status');
        document.body.append(note);
      }
      note.textContent = text;
      note.hidden = false;
      clearTimeout(PlinkardPage.noteTimer);
      PlinkardPage.noteTimer = setTimeout(function() { note.hidden = true; }, 8000);
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
    if (PlinkardPage.resume) queueMicrotask(PlinkardPage.Wake);
  },

  // Each finger holds the button under it: put down on one, it may slide onto
  // another, which it then holds instead, or off them all, holding none. A
  // button is down while any finger holds it.
  plinkard_page_listen__deps: ['$PlinkardPage'],
  plinkard_page_listen: function(key, window_, name, nameSize) {
    var fingers = new Map();  // pointerId: the button it holds, or null
    var holders = new Map();  // button: how many fingers hold it
    function send(button, down) {
      var ctrl = Array.from(holders.keys()).some(function(b) { return b.dataset.key === 'Ctrl'; });
      stringToUTF8(button.dataset.key, name, nameSize);
      {{{ makeDynCall('viiii', 'key') }}}(window_, down ? 1 : 0, name, ctrl ? 2 : 0);
    }
    function hold(button, by) {
      var count = (holders.get(button) || 0) + by;
      if (count > 0) holders.set(button, count); else holders.delete(button);
      button.classList.toggle('plinkard-held', count > 0);
      if (count === by || count === 0) send(button, by > 0);
    }
    function move(finger, button) {
      var before = fingers.get(finger);
      if (before === button) return;
      fingers.set(finger, button);
      if (before) hold(before, -1);
      if (button) hold(button, 1);
    }
    function lift(event) {
      if (!fingers.has(event.pointerId)) return;
      move(event.pointerId, null);
      fingers.delete(event.pointerId);
    }
    document.addEventListener('pointerdown', function(event) {
      var button = event.target.closest && event.target.closest('[data-key]');
      if (!button) return;
      event.preventDefault();
      move(event.pointerId, button);
    });
    document.addEventListener('pointermove', function(event) {
      if (!fingers.has(event.pointerId)) return;
      var under = document.elementFromPoint(event.clientX, event.clientY);
      move(event.pointerId, under && under.closest('[data-key]'));
    });
    document.addEventListener('pointerup', lift);
    document.addEventListener('pointercancel', lift);
    // No mouse events made up from the touches, and no double-tap zoom.
    document.addEventListener('touchstart', function(event) {
      if (event.target.closest && event.target.closest('[data-key]')) event.preventDefault();
    }, {passive: false});
    window.addEventListener('gamepadconnected', function() {
      if (PlinkardPage.resume) PlinkardPage.resume();
    });
  },

  plinkard_page_read_pads__deps: ['$PlinkardPage'],
  plinkard_page_read_pads: function(out, most) {
    var pads = navigator.getGamepads ? navigator.getGamepads() : [];
    var count = 0;
    for (var i = 0; i < pads.length && count < most; ++i) {
      var pad = pads[i];
      if (!pad || pad.connected === false) continue;
      if (pad.mapping !== 'standard') {
        if (!PlinkardPage.unmapped[pad.id]) {
          PlinkardPage.unmapped[pad.id] = true;
          PlinkardPage.Note('The game pad "' + pad.id + '" is not in the standard layout, so the game ignores it.');
        }
        continue;
      }
      var buttons = 0;
      for (var b = 0; b < pad.buttons.length && b < 31; ++b) {
        if (pad.buttons[b].pressed) buttons |= 1 << b;
      }
      var at = (out >> 3) + 4 * count;
      HEAPF64[at] = pad.index;
      HEAPF64[at + 1] = buttons;
      HEAPF64[at + 2] = pad.axes[0] || 0;
      HEAPF64[at + 3] = pad.axes[1] || 0;
      ++count;
    }
    return count;
  },

  plinkard_page_open_dialog__deps: ['$PlinkardPage'],
  plinkard_page_open_dialog: function(prompt, title) {
    var dialog = PlinkardPage.Dialog();
    dialog.querySelector('h1').textContent = UTF8ToString(title);
    dialog.querySelector('p').textContent = UTF8ToString(prompt);
    PlinkardPage.dialogOpen = true;
    dialog.showModal();
    dialog.querySelector('button').focus();
  },

  plinkard_page_dialog_open__deps: ['$PlinkardPage'],
  plinkard_page_dialog_open: function() {
    return PlinkardPage.dialogOpen ? 1 : 0;
  },

  plinkard_page_close_dialog__deps: ['$PlinkardPage'],
  plinkard_page_close_dialog: function() {
    PlinkardPage.Answer();
  },
});
