// The press as the page takes part in it: the warning box the core says is
// up, and what follows each call into the core.

// The warning box: modal, the rest of the page inert. The player dismisses
// it with 确定, Enter, Space or Escape; the focus then goes back where it
// was, with the same selection, so that typing replaces it as on the
// desktop, and only then is the core told. That return is no entry.
const dialog = /** @type {HTMLDialogElement} */ (document.getElementById('warning'));
const title = document.getElementById('warning-title');
const prompt = document.getElementById('warning-prompt');
const ok = document.getElementById('warning-ok');

let dismissed = () => {};
let giveFocusBack = () => {};

// Shows the box; dismiss() runs once the player has dismissed it.
/** @param {WarningBox} box */
export function showWarningBox(box, dismiss) {
  const before = document.activeElement;
  const selection = before instanceof HTMLInputElement && before.type === 'text'
    ? { start: before.selectionStart, end: before.selectionEnd, direction: before.selectionDirection } : null;
  giveFocusBack = () => {
    if (before instanceof HTMLElement) {
      // Chromium may give back the element but not the keyboard's
      // selection (Ctrl+A then takes the whole page): focus it anew.
      before.blur();
      before.focus();
    }
    if (selection !== null && before instanceof HTMLInputElement) {
      before.setSelectionRange(selection.start, selection.end, selection.direction);
    }
  };
  dismissed = dismiss;
  title.textContent = box.title;
  prompt.textContent = box.prompt;
  dialog.showModal();
  // The box itself takes the focus, so that a screen reader speaks its title
  // and prompt even when it still thinks the page is loading; Tab reaches 确定.
  dialog.focus();
}

// True while the focus is being given back by a closing box.
export let boxClosing = false;

// At once, before the next key: the focus is back when the box is gone.
function close() {
  if (!dialog.open) {
    return;
  }
  boxClosing = true;
  dialog.close();
  giveFocusBack();
  boxClosing = false;
  const then = dismissed;
  dismissed = () => {};
  then();
}

ok.addEventListener('click', close);
dialog.addEventListener('keydown', (event) => {
  if (event.target === dialog && (event.key === 'Enter' || event.key === ' ')) {
    event.preventDefault();
    close();
  }
});
dialog.addEventListener('cancel', (event) => {
  event.preventDefault();
  close();
});

// What the page does after each action and each dismissal, as the core's
// outcome says: show the window as the core shows it, put the focus where a
// new visit starts, say the announcement, show the box that came up (its
// dismissal is told to the core, and so on until the press has ended), and
// keep the address.

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
/** @param {Calculator} calculator */
export function pressFollower(calculator, { show, focusStart, keep }) {
  const shownWindow = document.getElementById('window');
  function follow(outcome, typing = false) {
    // While a press waits for its boxes, the window's results are not yet
    // written: assistive tools (and the tests) are told it is busy.
    shownWindow.setAttribute('aria-busy', String(outcome.pressRunning));
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
