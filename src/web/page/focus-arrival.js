// How the focus came to a control, in the words the core takes; the core
// decides what is an entry. The focus coming back to where it was when the
// window was left (activation) or when a box closed is told as such;
// anything else, a script's or an assistive tool's focus() included, as it
// came: after a pointer or a Tab within the last second, as they.
import { boxClosing } from './warning-box.js';

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
