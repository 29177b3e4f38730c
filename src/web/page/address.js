// The address holds the inputs on show, always in place of the current
// history entry (typing adds nothing to the browser's history). It follows
// typing as it comes, and is written again when the page is hidden or left,
// so that a reload, or a phone discarding the tab in the background, keeps
// what was just typed.

// At most this many writes a second: well within the browsers' limits on
// history updates (Chromium and Firefox: 200 in 10 s), and faster than
// anyone types.
const kWritesPerSecond = 10;

/** @param {Calculator} calculator */
export function keepAddress(calculator) {
  function write() {
    const address = location.pathname + location.search + calculator.address();
    if (address !== location.pathname + location.search + location.hash) {
      try {
        history.replaceState(null, '', address);
      } catch {
        // Too many updates in a row (Safari): the next one writes it.
      }
    }
  }
  let pending = 0;
  let recent = []; // when the writes of the last second were made
  function writeNow() {
    clearTimeout(pending);
    pending = 0;
    recent.push(performance.now());
    write();
  }
  // At once, unless the last second had its share of writes: then when the
  // oldest of them is a second old.
  function writeSoon() {
    const now = performance.now();
    recent = recent.filter((time) => now - time < 1000);
    if (recent.length < kWritesPerSecond) {
      writeNow();
    } else if (pending === 0) {
      pending = setTimeout(writeNow, recent[0] + 1000 - now);
    }
  }
  addEventListener('pagehide', writeNow);
  document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'hidden') {
      writeNow();
    }
  });
  return { writeNow, writeSoon };
}

// A link pasted into this tab, or back and forward: the new address opens as
// a new visit would; the core holds it while a box of a press is up.
/** @param {Calculator} calculator @param {(outcome: Outcome) => void} follow */
export function openAddresses(calculator, follow) {
  const open = () => follow(calculator.openAddress(location.hash.slice(1)));
  addEventListener('hashchange', open);
  return open;
}
