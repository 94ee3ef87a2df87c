// The page's side of the player's kept texts (platform/web/kept_storage.cpp):
// the browser's local storage. A browser that keeps none for the page (its
// settings block it) throws on reaching it: nothing is read, and a write says why.

mergeInto(LibraryManager.library, {
  $PlinkardKept__deps: ['malloc'],
  $PlinkardKept: {
    // A string in the program's memory, for it to free.
    Copy: function(text) {
      var size = lengthBytesUTF8(text) + 1;
      var pointer = _malloc(size);
      stringToUTF8(text, pointer, size);
      return pointer;
    },
  },

  plinkard_kept_read__deps: ['$PlinkardKept'],
  plinkard_kept_read: function(key) {
    try {
      var text = localStorage.getItem(UTF8ToString(key));
      return text === null ? 0 : PlinkardKept.Copy(text);
    } catch (error) {
      return 0;
    }
  },

  plinkard_kept_write__deps: ['$PlinkardKept'],
  plinkard_kept_write: function(key, text) {
    try {
      localStorage.setItem(UTF8ToString(key), UTF8ToString(text));
      return 0;
    } catch (error) {
      var full = error && (error.name === 'QuotaExceededError' || error.code === 22);
      return PlinkardKept.Copy(full ? 'the browser\'s storage for this page is full'
                                    : 'the browser keeps nothing for this page (' + error + ')');
    }
  },

  plinkard_kept_move: function(key, aside) {
    try {
      var text = localStorage.getItem(UTF8ToString(key));
      if (text === null) return 0;
      localStorage.setItem(UTF8ToString(aside), text);
      localStorage.removeItem(UTF8ToString(key));
      return 1;
    } catch (error) {
      return 0;
    }
  },
});
