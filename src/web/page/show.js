// The window shows what the core holds: every control's text, visibility and
// value as the core says it is shown. Labels whose caption changed are
// measured and shortened together, as the core says.

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
  showCaptions(core, texts, whole, changedCaptions);
}

// Every caption measured again: the layout, and with it what fits, changed.
export function remeasure(core, calculator, controls, view) {
  view.whole.forEach((twin) => {
    twin.textContent = '';
  });
  mirror(core, calculator, controls, view);
}

// A box the core changed; in the focused box the caret stays after what the
// core kept of the text before it.
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
// with the whole caption in the tool tip and the accessible description.
const measure = document.createElement('canvas').getContext('2d');

// changed: [[index, caption]]. The captions are written first, then measured
// together (one layout for all), then the ones that overflow are shortened.
export function showCaptions(core, texts, whole, changed) {
  for (const [i, caption] of changed) {
    texts[i].classList.toggle('one-line', core.staysOnOneLine(i, caption));
    texts[i].textContent = caption;
    whole[i].textContent = caption;
  }
  const measured = changed.map(([i, caption]) => {
    const label = texts[i];
    // A fitting label may grow to its limit; on a narrow screen its grid
    // cell is the limit.
    const style = getComputedStyle(label);
    const room = parseFloat(style.maxWidth) || label.clientWidth;
    const overflows = label.classList.contains('one-line') && room > 0 && label.scrollWidth > room + 0.5;
    return { i, caption, room, font: overflows ? style.font : null };
  });
  for (const { i, caption, room, font } of measured) {
    let shown = { text: caption, whole: '' };
    if (font !== null) {
      measure.font = font;
      shown = core.showCaption(caption, (candidate) => measure.measureText(candidate).width <= room);
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
