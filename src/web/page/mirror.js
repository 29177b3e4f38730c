// The window shows what the core holds: every control's text, visibility and
// value as the core says it is shown. Labels whose caption changed are
// measured and shortened together.
import { showCaptions } from './captions.js';

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
