// The window built from the core's table of controls: one element per
// control, placed at its pixels. Frames come before what they hold.

// Returns, by control index, the element that holds the control's text, the
// element placed and shown or hidden, and the element that takes the focus
// and the user's input.
export function buildWindow(controls, root) {
  const index = new Map(controls.map((control, i) => [control.name, i]));
  const texts = [];
  const boxes = [];
  const inputs = [];
  controls.forEach((control, i) => {
    const parent = control.container ? boxes[index.get(control.container)] : root;
    const { box, text } = create(control, root);
    const input = box.tagName === 'LABEL' ? box.firstChild : box;
    if (box !== root) {
      input.id = control.name;
      place(box, control);
      if (control.toolTip) {
        box.title = control.toolTip;
      }
      input.tabIndex = control.tabIndex > 0 ? control.tabIndex : -1;
      parent.append(box);
    }
    texts.push(text);
    boxes.push(box);
    inputs.push(input);
  });
  document.title = controls[0].text;
  return { texts, boxes, inputs };
}

function create(control, root) {
  switch (control.kind) {
    case 'Window':
      root.style.width = `${control.width}px`;
      root.style.height = `${control.height}px`;
      return { box: root, text: root };
    case 'Frame': {
      const box = document.createElement('div');
      box.className = 'frame';
      box.setAttribute('role', 'group');
      const border = document.createElement('div');
      border.className = 'frame-border';
      const text = document.createElement('span');
      text.className = 'frame-caption';
      text.id = `${control.name}-caption`;
      box.setAttribute('aria-labelledby', text.id);
      box.append(border, text);
      return { box, text };
    }
    case 'Label': {
      const box = document.createElement('div');
      box.className = control.fits ? 'label fits' : 'label fixed';
      return { box, text: box };
    }
    case 'TextBox': {
      const box = document.createElement('input');
      box.type = 'text';
      box.autocomplete = 'off';
      box.inputMode = 'decimal'; // phones offer digits and the point
      box.spellcheck = false;
      return { box, text: box };
    }
    case 'CommandButton': {
      const box = document.createElement('button');
      box.type = 'button';
      return { box, text: box };
    }
    default: { // OptionButton, CheckBox
      const box = document.createElement('label');
      box.className = 'choice';
      const input = document.createElement('input');
      input.type = control.kind === 'OptionButton' ? 'radio' : 'checkbox';
      input.name = control.kind === 'OptionButton' ? control.container : control.name;
      const text = document.createElement('span');
      box.append(input, text);
      return { box, text };
    }
  }
}

function place(box, control) {
  box.style.left = `${control.left}px`;
  box.style.top = `${control.top}px`;
  if (control.kind === 'OptionButton' || control.kind === 'CheckBox') {
    // The box keeps its place and grows to its indicator, as on the desktop.
    box.style.width = `${control.width}px`;
    box.style.minHeight = `${control.height}px`;
  } else if (!(control.kind === 'Label' && control.fits)) {
    box.style.width = `${control.width}px`;
    box.style.height = `${control.height}px`;
  } else {
    box.style.maxWidth = `${control.room}px`; // a fitting label takes its caption's size, within its frame
  }
}
