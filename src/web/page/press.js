// What the page does after each action and each dismissal, as the core's
// outcome says: show the window as the core shows it, put the focus where a
// new visit starts, say the announcement, show the box that came up (its
// dismissal is told to the core, and so on until the press has ended), and
// keep the address.
import { showWarningBox } from './warning-box.js';

// Two regions take turns: the same words written again into one region
// within a frame of its clearing reach a screen reader as no change.
const regions = [document.getElementById('announcement'), document.getElementById('announcement-next')];

function announce(words) {
  const [now, last] = regions[0].textContent === '' ? regions : [...regions].reverse();
  last.textContent = '';
  now.textContent = words;
}

// show(): the window as the core shows it; focusStart(): the focus where a
// new visit starts; keep(typing): the address written once no press runs
// (while one does, it would hold the inputs from before the press, or hide
// an address pasted meanwhile). Returns follow(outcome, typing) for every
// call into the core.
export function pressFollower(calculator, { show, focusStart, keep }) {
  function follow(outcome, typing = false) {
    show();
    if (outcome.opened) {
      focusStart();
    }
    if (outcome.announcement !== '') {
      announce(outcome.announcement);
    }
    if (outcome.box !== null) {
      showWarningBox(outcome.box, () => follow(calculator.dismissBox()));
    }
    if (!outcome.pressRunning) {
      keep(typing);
    }
  }
  return follow;
}
