// The main window in the browser: built at load from the core's table of
// controls, it forwards what the player does to the core and then shows what
// the core holds. It keeps no state of the calculator's own; the address
// fragment holds the player's inputs, written by the core.

import { keepAddress, openAddresses } from './address.js';
import { insightPanel } from './insight.js';
import { pressFollower, showWarningBox } from './press.js';
import { mirror, remeasure } from './show.js';
import { forwardUserActions } from './user-actions.js';
import { buildWindow, layoutChooser, nameControls, placeInOneColumn } from './window.js';

export async function openMainWindow() {
  const core = await createVelmora();
  const controls = core.controls();
  const calculator = new core.Calculator();
  const words = core.pageWords();
  /** @type {HTMLImageElement} */ (document.getElementById('warning-sign')).alt = words.warningSign;
  document.getElementById('warning-ok').textContent = words.warningButton;
  const view = buildWindow(controls, document.getElementById('window'));
  placeInOneColumn(core, controls, view.boxes, 'beside');
  view.whole = nameControls(controls, view.texts);
  mirror(core, calculator, controls, view);
  const chooseLayout = layoutChooser(core, controls, view);
  chooseLayout();
  remeasure(core, calculator, controls, view);

  const address = keepAddress(calculator);
  const insight = insightPanel(core, calculator);
  const bestGear = lateBestGear(calculator, {
    writeNow: () => address.writeNow(),
    showBox: (box) => showWarningBox(box, () => {}),
  });
  const start = core.startFocus();
  const follow = pressFollower(calculator, {
    show: () => {
      mirror(core, calculator, controls, view);
      insight.show();
      bestGear.show();
    },
    keep: (typing) => (typing ? address.typed() : address.writeAfterPaint()),
    focusStart: () => {
      const box = view.inputs[start.field];
      box.focus();
      if (start.selectsText) {
        box.select();
      }
    },
  });
  forwardUserActions(core, calculator, controls, view.inputs, follow, insight.open, bestGear.open);
  // Turning a phone, resizing the window or zooming changes the room, and
  // with it the layout and what fits: chosen and measured again, once a frame.
  let relayout = 0;
  const layOutAgain = () => {
    cancelAnimationFrame(relayout);
    relayout = requestAnimationFrame(() => {
      chooseLayout();
      remeasure(core, calculator, controls, view);
      insight.relaidOut(); // after the layout is chosen, at the width it gives the chart
    });
  };
  addEventListener('resize', layOutAgain);
  showHints(controls, view);
  matchMedia('(pointer: coarse)').addEventListener('change', layOutAgain);

  openAddresses(calculator, follow)();
  address.watch();
  document.body.dataset.ready = 'true';
  performance.mark('velmora-ready');
  keepOfflineCopy();
}

// 最佳组合's panel, loaded with its module when it first opens: the first
// visit does not carry it.
function lateBestGear(calculator, page) {
  let panel = null;
  return {
    async open() {
      if (panel === null) {
        const { bestGearPanel } = await import('./best-gear.js');
        panel = bestGearPanel(calculator, page);
      }
      await panel.open();
    },
    show: () => panel?.show(),
  };
}

// In one column (touch screens) nothing hovers: the tool tip of the control
// in use, and the whole of a shortened number that is tapped, are shown at
// the foot of the screen instead. A screen reader has both as descriptions.
function showHints(controls, view) {
  const hint = document.getElementById('hint');
  const show = (text) => {
    hint.textContent = text;
    hint.hidden = text === '';
  };
  document.addEventListener('focusin', (event) => {
    const at = view.inputs.indexOf(event.target);
    show(at >= 0 ? controls[at].toolTip : '');
  });
  // A pointer event, not a click listener: a click listener on the document
  // would make screen readers call every element "clickable".
  document.addEventListener('pointerup', (event) => {
    const label = /** @type {Element} */ (event.target).closest?.('#window .label[title]');
    if (!(label instanceof HTMLElement)) {
      return;
    }
    show(label.title);
  });
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
