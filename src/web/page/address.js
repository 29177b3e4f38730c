// The address holds the inputs on show, always in place of the current
// history entry. Browsers record every address written (Chromium keeps each
// one in its history database), so it is written when a box is left, after
// a press (once its frame is painted) and when the page is hidden or left,
// never keystroke by keystroke.
// What is typed in between is kept in the tab's session storage, so that a
// reload, or a phone discarding the tab in the background, keeps it; it
// opens in place of the address unless the address is another one since.

const typedKey = 'velmora-typed';

function keepTyped(typed) {
  try {
    if (typed === null) {
      sessionStorage.removeItem(typedKey);
    } else {
      sessionStorage.setItem(typedKey, JSON.stringify(typed));
    }
  } catch {
    // Storage refused or full: the address is written when the box is left.
  }
}

/** @returns {{ at: string, address: string } | null} */
function typedSinceTheAddress() {
  try {
    const typed = JSON.parse(sessionStorage.getItem(typedKey) ?? 'null');
    return typed !== null && typeof typed.at === 'string' && typeof typed.address === 'string' ? typed : null;
  } catch {
    return null;
  }
}

/** @param {Calculator} calculator */
export function keepAddress(calculator) {
  function write(fragment = calculator.address()) {
    const address = location.pathname + location.search + fragment;
    if (address !== location.pathname + location.search + location.hash) {
      try {
        history.replaceState(null, '', address);
      } catch {
        // Too many updates in a row (Safari): the next one writes it.
      }
    }
  }
  // The address as this page last wrote it (or opened it): the page's own
  // writes as it is hidden or left do not count, since a reload may already
  // be on its way to the address before them.
  let written = location.hash;
  // Typing: kept beside the address it changes, which stays as it is; a
  // moment after the keys, or at once when the page is hidden or left, so
  // that a keystroke costs no storage write.
  let pending = 0;
  let stored = false; // what was typed is in storage
  let leaving = false;
  function keepNow() {
    clearTimeout(pending);
    pending = 0;
    keepTyped({ at: written, address: calculator.address() });
    stored = true;
  }
  function typed() {
    typedSincePress = true;
    if (pending === 0) {
      pending = setTimeout(keepNow, 250);
    }
  }
  // A box left, a press: the address is current, nothing typed is pending.
  // Not while the page is being left: Firefox leaves the box then, and a
  // reload may already be on its way to the address as it was.
  function writeNow() {
    if (leaving) {
      return;
    }
    clearTimeout(pending);
    pending = 0;
    if (stored) {
      keepTyped(null);
      stored = false;
    }
    write();
    written = location.hash;
  }
  // After a press, once its frame is painted: the player sees the results
  // before the browser records the address. It is the address of the press:
  // keys typed before the frame (a box that took the focus, typed into at
  // once) are kept as any typing is, not written with it. An address that
  // arrived meanwhile is not written over: it opens, and its press writes
  // after it.
  let painted = 0;
  let pressedAt = '';
  let pressed = '';
  let typedSincePress = false;
  function writeAfterPaint() {
    pressedAt = location.hash;
    pressed = calculator.address();
    typedSincePress = false;
    if (painted === 0) {
      painted = requestAnimationFrame(() => setTimeout(() => {
        painted = 0;
        if (location.hash !== pressedAt || leaving) {
          return;
        }
        if (typedSincePress) {
          write(pressed);
          written = location.hash;
        } else {
          writeNow();
        }
      }, 0));
    }
  }
  function hidden() {
    if (pending !== 0) {
      keepNow();
    }
    write();
  }
  // From the opening of the address on (before it, the window holds the
  // start state, not yet what was kept): the page hidden or left is written
  // as well, what was typed kept too, since a reload may already be on its
  // way to the address as it was.
  function watch() {
    addEventListener('pagehide', () => {
      leaving = true;
      hidden();
    });
    addEventListener('pageshow', () => {
      leaving = false; // back from the back-forward cache
    });
    document.addEventListener('visibilitychange', () => {
      if (document.visibilityState === 'hidden') {
        hidden();
      }
    });
    document.getElementById('window').addEventListener('focusout', writeNow);
  }
  return { writeNow, writeAfterPaint, typed, watch };
}

// A link pasted into this tab, or back and forward: the new address opens as
// a new visit would; the core holds it while a box of a press is up. On a
// reload, what was typed since the address was last written opens instead.
/** @param {Calculator} calculator @param {(outcome: Outcome) => void} follow */
export function openAddresses(calculator, follow) {
  const open = () => {
    const typed = typedSinceTheAddress();
    keepTyped(null);
    const address = typed !== null && (typed.at === location.hash || typed.address === location.hash)
      ? typed.address : location.hash;
    follow(calculator.openAddress(address.replace(/^#/, '')));
  };
  addEventListener('hashchange', open);
  return open;
}
