// The window built from the core's table of controls: its elements at their
// pixels (frames before what they hold), the one-column grid of narrow
// screens, and the names assistive tools read.

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

// A narrow or touch screen lays the window out in one column (style.css),
// from the same table: the frames in reading order (top, then left), and in
// each frame the controls on a grid of its rows (distinct tops) and columns
// (distinct lefts; a heading joins the column below it, a note spans them
// all).
export function placeForNarrowScreens(controls, boxes) {
  const all = controls.map((control, i) => i);
  const frames = all.filter((i) => controls[i].kind === 'Frame');
  [...frames].sort((a, b) => controls[a].top - controls[b].top || controls[a].left - controls[b].left)
    .forEach((frame, rank) => boxes[frame].style.setProperty('--reading-order', rank));
  for (const frame of frames) {
    placeInFrame(controls, boxes, frame, all.filter((i) => controls[i].container === controls[frame].name));
  }
}

function placeInFrame(controls, boxes, frame, inside) {
  const overlaps = (a, b) => a.left < b.left + b.width && b.left < a.left + a.width;
  const below = (heading) => inside.find((i) => controls[i].kind !== 'Label' && controls[i].top > heading.top &&
    overlaps(controls[i], heading));
  const anchorOf = (i) => {
    const control = controls[i];
    const under = control.role === 'Heading' ? below(control) : undefined;
    return under === undefined ? control.left : controls[under].left;
  };
  const spans = (i) => controls[i].role === 'Note';
  const lefts = [...new Set(inside.filter((i) => !spans(i)).map(anchorOf))].sort((a, b) => a - b);
  const tops = [...new Set(inside.map((i) => controls[i].top))].sort((a, b) => a - b);
  boxes[frame].style.setProperty('--grid-columns', lefts.length);
  for (const i of inside) {
    const control = controls[i];
    const row = tops.indexOf(control.top);
    const rows = tops.filter((top) => top >= control.top && top < control.top + control.height).length;
    boxes[i].style.setProperty('--grid-row', `${row + 1} / span ${Math.max(rows, 1)}`);
    boxes[i].style.setProperty('--grid-column', spans(i) ? '1 / -1' : `${lefts.indexOf(anchorOf(i)) + 1}`);
  }
}

// Names for assistive tools, as the core composes them: a text box by its
// labels ("第二套 会心等级"), a result by its labels and its text. A label
// names others by its whole caption, kept in a hidden twin, so that a
// shortened number is read whole, as on the desktop. Returns the twins by
// control index.
export function nameControls(controls, texts) {
  const twins = document.createElement('div');
  twins.hidden = true;
  document.body.append(twins);
  const whole = [];
  controls.forEach((control, i) => {
    if (control.kind === 'Label') {
      whole[i] = document.createElement('span');
      whole[i].id = `${control.name}-whole`;
      twins.append(whole[i]);
    }
  });
  const sourceId = (at) => (whole[at] ? whole[at].id : controls[at].name);
  controls.forEach((control, i) => {
    // A result has no role: a screen reader reads its name once, as text
    // ("无双 4.43654"), where a note role would add "comment".
    if (control.composedName) {
      texts[i].setAttribute('aria-labelledby', control.nameSources.map(sourceId).join(' '));
    }
  });
  return whole;
}
