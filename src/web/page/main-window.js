// The main window in the browser: built at load from the core's table of
// controls, it forwards what the player does to the core and then shows what
// the core holds. It keeps no state of the calculator's own; the address
// fragment holds the player's inputs, written by the core.

import { keepAddress, openAddresses } from './address.js';
import { insightPanel } from './insight.js';
import { pressFollower } from './press.js';
import { mirror, remeasure } from './show.js';
import { forwardUserActions } from './user-actions.js';
import { buildWindow, nameControls, placeForNarrowScreens } from './window.js';

export async function openMainWindow() {
  const core = await createVelmora();
  const controls = core.controls();
  const calculator = new core.Calculator();
  const view = buildWindow(controls, document.getElementById('window'));
  placeForNarrowScreens(controls, view.boxes);
  view.whole = nameControls(controls, view.texts);

  const address = keepAddress(calculator);
  const insight = insightPanel(core, calculator);
  const start = core.startFocus();
  const follow = pressFollower(calculator, {
    show: () => {
      mirror(core, calculator, controls, view);
      insight.show();
    },
    keep: (typing) => (typing ? address.writeSoon() : address.writeNow()),
    focusStart: () => {
      const box = view.inputs[start.field];
      box.focus();
      if (start.selectsText) {
        box.select();
      }
    },
  });
  forwardUserActions(core, calculator, controls, view.inputs, follow, insight.open);
  // Turning a phone or resizing the window changes the layout, and with it
  // what fits: captions are measured again, once a frame.
  let relayout = 0;
  addEventListener('resize', () => {
    cancelAnimationFrame(relayout);
    relayout = requestAnimationFrame(() => remeasure(core, calculator, controls, view));
  });

  openAddresses(calculator, follow)();
  document.body.dataset.ready = 'true';
  performance.mark('velmora-ready');
  keepOfflineCopy();
}

// The offline copy is made once the window has been drawn, so that it never
// delays the first paint. Every load asks whether a new release is out
// (browsers check on their own, but not always), so a returning visitor has
// it from the next load.
function keepOfflineCopy() {
  if ('serviceWorker' in navigator) {
    requestAnimationFrame(() => setTimeout(() => navigator.serviceWorker.register('sw.js')
      .then((registration) => registration.update()).catch(() => {}), 0));
  }
}
