// What the player does, and how the focus came, forwarded to the core.
import { boxClosing } from './press.js';

// How the focus came to a control, in the words the core takes; the core
// decides what is an entry. The focus coming back to where it was when the
// window was left (activation) or when a box closed is told as such;
// anything else, a script's or an assistive tool's focus() included, as it
// came: after a pointer or a Tab within the last second, as they.

/** @type {{kind: Arrival, time: number, touch: boolean}} */
let lastInput = { kind: 'assistive', time: -Infinity, touch: false };
let leftWithWindow = null; // the element that kept the focus when the window was left

document.addEventListener('pointerdown', (event) => {
  lastInput = { kind: 'pointer', time: performance.now(), touch: event.pointerType === 'touch' };
}, true);
document.addEventListener('keydown', (event) => {
  lastInput = { kind: event.key === 'Tab' ? 'user' : 'assistive', time: performance.now(), touch: false };
}, true);
document.addEventListener('blur', (event) => {
  leftWithWindow = document.activeElement === event.target ? event.target : null;
}, true);
document.addEventListener('focus', (event) => {
  if (event.target !== leftWithWindow) {
    leftWithWindow = null;
  }
}, true);

// How the focus came to an element that has just received it.
/** @returns {Arrival} */
export function arrivalAt(element) {
  if (boxClosing) {
    return 'box';
  }
  if (leftWithWindow === element) {
    leftWithWindow = null;
    return 'activated';
  }
  return performance.now() - lastInput.time < 1000 ? lastInput.kind : 'assistive';
}

// Whether the focus came by a tap on a touch screen.
export function cameByTouch(how) {
  return how === 'pointer' && lastInput.touch;
}

// 详细说明 opens the help in a window of its own, sized as the core says, or
// brings it to the front; when the browser blocks the pop-up, the page says
// so.
const blocked = document.getElementById('popup-blocked');
let helpWindow = null; // the browser's handle to that window

/** @param {VelmoraCore} core */
export function openHelp(core) {
  if (core.helpOpening(helpWindow !== null && !helpWindow.closed) === 'to-the-front') {
    helpWindow.focus();
    return;
  }
  const help = core.helpWindow();
  helpWindow = window.open('help.html', 'velmora-help', `popup,width=${help.width},height=${help.height}`);
  blocked.hidden = helpWindow !== null;
  if (helpWindow === null) {
    blocked.textContent = core.pageWords().helpBlocked;
  }
}

// What the player does, forwarded to the core as it comes; what follows is
// the core's (follow). Whether an action runs, is dropped during a press, or
// is an entry, is the core's rule, not the page's.

/** @param {VelmoraCore} core @param {Calculator} calculator @param {Control[]} controls */
export function forwardUserActions(core, calculator, controls, inputs, follow, openInsight, openBestGear) {
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
          } else if (control.opensBestGear) {
            openBestGear();
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

/** @param {VelmoraCore} core @param {Calculator} calculator @param {number} i */
function forwardBox(core, calculator, i, box, inputs, follow) {
  let tappedInto = false;
  box.addEventListener('input', () => follow(calculator.type(i, box.value), true));
  box.addEventListener('focus', () => {
    const how = arrivalAt(box);
    tappedInto = cameByTouch(how) && core.selectsTextOnEntry(how, true);
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
