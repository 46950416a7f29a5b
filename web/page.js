// The page around the explorer: the address that holds the place, the line
// that says what went wrong, the end of the explorer and its new start, the
// picture's download, the buttons that press the explorer's keys where there
// are none, and the frame times for whoever measures them.
'use strict';

const glyphversePage = (() => {
  const canvas = document.getElementById('screen');
  const main = document.querySelector('main');
  const bar = document.getElementById('bar');
  const pad = document.getElementById('pad');
  const typed = document.getElementById('typed');
  const problemLine = document.getElementById('problem');
  const endedBox = document.getElementById('ended');
  const FRAME_TIMES_KEPT = 1000;
  const frameTimes = [];
  let written = null;  // the place text the explorer last wrote into the address
  let firstPicture = null;  // ms after the page started loading
  let ready = false;  // the program has loaded and its exports may be called

  function address() {
    const raw = location.hash.slice(1);
    try {
      return decodeURIComponent(raw);
    } catch (error) {
      return raw;
    }
  }

  function place() {
    return ready ? Module.UTF8ToString(Module._glyphverse_place()) : '';
  }

  function start() {
    endedBox.hidden = true;
    if (ready) Module._glyphverse_start();
  }

  // glyphverse-L2-1100-2100.png, as the desktop names its pictures.
  function pictureName() {
    const parts = (place() || written || address()).split('/');
    const level = parts[0] || '2';
    const [x, y] = parts.length >= 3 ? parts.slice(-2) : ['10', '10'];
    return `glyphverse-L${level}-${x}-${y}.png`;
  }

  function savePicture() {
    canvas.toBlob((blob) => {
      if (!blob) return;
      const link = document.createElement('a');
      link.href = URL.createObjectURL(blob);
      link.download = pictureName();
      link.click();
      setTimeout(() => URL.revokeObjectURL(link.href), 10000);
    }, 'image/png');
  }

  document.getElementById('again').addEventListener('click', (event) => {
    event.currentTarget.blur();  // Space and Enter are the explorer's again
    start();
  });
  document.getElementById('save').addEventListener('click', (event) => {
    event.currentTarget.blur();
    savePicture();
  });
  window.addEventListener('keydown', (event) => {
    if (event.code !== 'F2' || event.ctrlKey || event.metaKey || event.altKey) return;
    event.preventDefault();
    if (!event.repeat) savePicture();
  });
  // A key pressed as the keyboard would press it: the explorer reads the
  // page's key events, so a button's key meets the same gates as a real one.
  function pressKey(code, key, shiftKey = false) {
    for (const type of ['keydown', 'keyup']) {
      window.dispatchEvent(new KeyboardEvent(type, {code, key, shiftKey, bubbles: true}));
    }
  }

  // A change of the room the canvas has: the explorer fits it again.
  function refit() {
    window.dispatchEvent(new Event('resize'));
  }

  for (const button of pad.querySelectorAll('button')) {
    button.addEventListener('click', () => {
      // Focused within the tap itself, the field brings up the on-screen keyboard.
      if (button.hasAttribute('data-types')) {
        typed.focus();
      } else {
        button.blur();  // Space and Enter are the explorer's again
      }
      pressKey(button.dataset.code, button.dataset.key, button.hasAttribute('data-shift'));
    });
  }
  // What the on-screen keyboard types goes to the explorer a character at a
  // time; a real keyboard's characters come the same way, not twice.
  typed.addEventListener('keydown', (event) => {
    if (event.key.length === 1 && !event.ctrlKey && !event.metaKey) event.stopPropagation();
    if (event.key === 'Enter' || event.key === 'Escape') setTimeout(() => typed.blur(), 0);
  });
  typed.addEventListener('input', () => {
    const text = typed.value;
    typed.value = '';
    for (const character of text) pressKey('', character);
  });
  // A touch on the picture puts the on-screen keyboard away.
  canvas.addEventListener('pointerdown', () => typed.blur());
  document.getElementById('buttons').addEventListener('click', (event) => {
    event.currentTarget.blur();
    pad.hidden = !pad.hidden;
    refit();
  });
  if (navigator.maxTouchPoints > 0 || matchMedia('(pointer: coarse)').matches) {
    document.body.classList.add('touch');
    pad.hidden = false;
  }

  // An address edited by hand opens its place; the explorer's own writes
  // replace the history entry and fire no such event.
  window.addEventListener('hashchange', () => {
    if (address() !== written) start();
  });

  return {
    address,
    place,
    setAddress(text) {
      written = text;
      history.replaceState(history.state, '', '#' + text);
    },
    problem(text) {
      problemLine.textContent = text;
      problemLine.hidden = text === '';
    },
    ended() {
      endedBox.hidden = false;
    },
    frameTime(milliseconds) {
      if (frameTimes.length === FRAME_TIMES_KEPT) frameTimes.shift();
      frameTimes.push(milliseconds);
    },
    pictureShown() {
      if (firstPicture === null) firstPicture = performance.now();
    },
    // For measurements: the latest frames' own times, and when the first picture came.
    figures() {
      return {frameTimes: frameTimes.slice(), firstPicture};
    },
    // The room the canvas may fill, in CSS pixels: the window less the bar,
    // which is below the picture or, on a low screen, beside it.
    room() {
      if (getComputedStyle(main).flexDirection === 'row') {
        return {width: Math.max(0, window.innerWidth - bar.offsetWidth), height: window.innerHeight};
      }
      return {width: window.innerWidth, height: Math.max(0, window.innerHeight - bar.offsetHeight)};
    },
    loaded() {
      ready = true;
    },
    fail(what) {
      this.problem(`The explorer stopped: ${what}`);
    },
  };
})();

var Module = {
  canvasRoom: () => glyphversePage.room(),
  onPictureShown: () => glyphversePage.pictureShown(),
  onRuntimeInitialized: () => glyphversePage.loaded(),
  onAbort: (what) => glyphversePage.fail(what),
};
