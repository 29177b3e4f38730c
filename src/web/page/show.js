// The window shows what the core holds: every control's text, visibility and
// value as the core says it is shown. Labels whose caption changed are
// measured and shortened together, as the core says.

import { textExtent } from './window.js';

/** @param {VelmoraCore} core @param {Calculator} calculator @param {Control[]} controls */
export function mirror(core, calculator, controls, view) {
  const { texts, boxes, inputs, whole } = view;
  const changedCaptions = [];
  calculator.fields().forEach((field, i) => {
    const control = controls[i];
    if (control.kind === 'Window') {
      return;
    }
    if (control.kind === 'TextBox') {
      showBoxText(core, inputs[i], field.text);
    } else if (control.kind === 'Label') {
      if (whole[i].textContent !== field.text || boxes[i].hidden === field.visible) {
        boxes[i].hidden = !field.visible;
        changedCaptions.push([i, field.text]);
      }
    } else if (texts[i].textContent !== field.text) {
      texts[i].textContent = field.text;
    }
    if (control.kind === 'OptionButton' || control.kind === 'CheckBox') {
      inputs[i].checked = field.value === 1;
    }
    boxes[i].hidden = !field.visible;
  });
  showCaptions(core, view, changedCaptions);
}

// Every caption measured again: the layout, and with it what fits, changed.
/** @param {VelmoraCore} core @param {Calculator} calculator @param {Control[]} controls */
export function remeasure(core, calculator, controls, view) {
  view.whole.forEach((twin) => {
    twin.textContent = '';
  });
  mirror(core, calculator, controls, view);
}

// A box the core changed; in the focused box the caret stays after what the
// core kept of the text before it.
/** @param {VelmoraCore} core @param {string} text */
function showBoxText(core, box, text) {
  if (box.value === text) {
    return;
  }
  const caret = core.caretAfterKeeping(box.value, box.selectionEnd ?? 0);
  box.value = text;
  if (box === document.activeElement) {
    const at = Math.min(caret, text.length);
    box.setSelectionRange(at, at);
  }
}

// Labels show their captions as the core says: a caption that stays on one
// line and does not fit its room is shortened (a number keeps its exponent),
// with the whole caption in the tool tip and the accessible description. The
// room and the text are measured as drawn, in the font, size and spacing the
// browser really uses.
//
// changed: [[index, caption]]. The captions are written first, then measured
// together (one layout for all), then the ones that overflow are shortened.
/** @param {VelmoraCore} core */
export function showCaptions(core, { texts, whole, layout }, changed) {
  for (const [i, caption] of changed) {
    texts[i].classList.toggle('one-line', core.staysOnOneLine(i, caption, layout));
    texts[i].textContent = caption;
    whole[i].textContent = caption;
  }
  const fitsAsDrawn = (/** @type {HTMLElement} */ label) => {
    const { needs, room } = textExtent(label);
    return room <= 0 || core.fitsItsRoom(needs, room); // a hidden label is measured when it shows
  };
  const overflowing = changed.filter(([i]) => texts[i].classList.contains('one-line') && !fitsAsDrawn(texts[i]));
  for (const [i, caption] of changed) {
    let shown = { text: caption, whole: '' };
    if (overflowing.some(([at]) => at === i)) {
      shown = core.showCaption(caption, (candidate) => {
        texts[i].textContent = candidate;
        return fitsAsDrawn(texts[i]);
      });
      texts[i].textContent = shown.text;
    }
    describe(texts[i], shown.whole);
  }
}

function describe(label, whole) {
  if (whole !== '') {
    label.title = whole;
    label.setAttribute('aria-description', whole);
  } else if (label.hasAttribute('title')) {
    label.removeAttribute('title');
    label.removeAttribute('aria-description');
  }
}
