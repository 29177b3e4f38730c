// What the player does, forwarded to the core as it comes; what follows is
// the core's (follow). Whether an action runs, is dropped during a press, or
// is an entry, is the core's rule, not the page's.
import { arrivalAt, cameByTouch } from './focus-arrival.js';
import { openHelp } from './help-opener.js';

export function forwardUserActions(core, calculator, controls, inputs, follow, openInsight) {
  controls.forEach((control, i) => {
    const input = inputs[i];
    switch (control.kind) {
      case 'TextBox':
        forwardBox(core, calculator, i, input, inputs, follow);
        break;
      case 'CommandButton':
        input.addEventListener('click', () => {
          if (control.opensHelp) {
            openHelp(core);
          } else if (control.opensInsight) {
            openInsight();
          } else {
            follow(calculator.click(i));
          }
        });
        break;
      case 'OptionButton':
        // Selected by mouse, Space or the arrow keys; a click on the option
        // already selected is still its Click.
        input.addEventListener('change', () => follow(calculator.click(i)));
        input.addEventListener('click', () => {
          if (control.clickOnSelectedIsClick && calculator.fields()[i].value === 1) {
            follow(calculator.click(i));
          }
        });
        break;
      case 'CheckBox':
        input.addEventListener('click', () => follow(calculator.click(i)));
        break;
    }
  });
}

function forwardBox(core, calculator, i, box, inputs, follow) {
  let tappedInto = false;
  box.addEventListener('input', () => follow(calculator.type(i, box.value), true));
  box.addEventListener('focus', () => {
    const how = arrivalAt(box);
    tappedInto = cameByTouch(how);
    follow(calculator.focusArrived(i, how));
  });
  // A tap into a box selects its text, as Tab does: typing replaces it.
  box.addEventListener('click', () => {
    if (tappedInto) {
      tappedInto = false;
      box.select();
    }
  });
  box.addEventListener('keydown', (event) => {
    if (event.key !== 'Enter') {
      return;
    }
    const pressed = core.enterPresses(i, event.altKey || event.ctrlKey || event.metaKey || event.shiftKey);
    if (pressed >= 0) {
      event.preventDefault();
      inputs[pressed].click();
    }
  });
}
