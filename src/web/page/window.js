// The window built from the core's table of controls: its elements at their
// pixels (frames before what they hold), their places in the one-column
// layout, and the names assistive tools read.

// Returns, by control index, the element that holds the control's text, the
// element placed and shown or hidden, and the element that takes the focus
// and the user's input.
/** @param {Control[]} controls @param {HTMLElement} root */
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
  return { texts, boxes, inputs, layout: 'window' };
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

// The one-column layout (style.css) places every control on its frame's
// grid where the core says: frames in reading order, each control in its
// cell; a result on a line of its own shows its column's heading before it.
// The grid's first row is the frame's caption.
// cells: how a grid's cells run (beside, under or two a line under their
// names), as the core chose it for the room.
/** @param {VelmoraCore} core @param {Control[]} controls @param {CellLines} cells */
export function placeInOneColumn(core, controls, boxes, cells) {
  document.documentElement.dataset.cells = cells;
  core.oneColumnPlaces(cells).forEach((place, i) => {
    const style = boxes[i].style;
    if (controls[i].kind === 'Frame') {
      style.setProperty('--reading-order', place.readingOrder);
      style.setProperty('--grid-columns', place.columns);
      style.setProperty('--grid-track', place.evenColumns ? 'minmax(0, 1fr)' : 'auto');
    } else if (controls[i].kind !== 'Window') {
      style.setProperty('--grid-row', `${place.row + 1} / span ${place.rows}`);
      style.setProperty('--grid-column', place.toLastColumn ? `${place.column} / -1` : `${place.column}`);
      if (place.lead >= 0) {
        boxes[i].dataset.lead = controls[place.lead].text;
      }
      // A row's name is never squeezed: the boxes beside it give way.
      boxes[i].classList.toggle('names-row', place.namesRow);
    }
  });
}

// Names for assistive tools, as the core composes them: a text box by its
// labels ("第二套 会心等级"), a result by its labels and its text. A label
// names others by its whole caption, kept in a hidden twin, so that a
// shortened number is read whole, as on the desktop. Returns the twins by
// control index.
/** @param {Control[]} controls */
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
    if (control.labelledBy.length > 0) {
      texts[i].setAttribute('aria-labelledby', control.labelledBy.map(sourceId).join(' '));
    }
  });
  return whole;
}

// Chooses the layout, by the core's rule, from what is measured here in the
// window layout: the room the page has, the window's width, a coarse pointer,
// and every caption against its control's room, in the font, size and
// spacing the browser really uses. The tab chain follows the layout.
// The layout chosen is view.layout. Returns the function that chooses again
// (after a resize or a rotation).
/** @param {VelmoraCore} core @param {Control[]} controls */
export function layoutChooser(core, controls, view) {
  const root = document.documentElement;
  const coarse = matchMedia('(pointer: coarse)');
  return () => {
    root.classList.remove('one-column');
    const measured = measureWindowLayout(core, controls, view);
    const layout = core.chooseLayout(measured.screenWidth, measured.windowWidth, coarse.matches,
      measured.captions.some((c) => core.needsMoreRoom(c.field, c.caption, c.width, c.height, c.roomWidth,
        c.roomHeight)));
    root.classList.toggle('one-column', layout === 'one-column');
    if (layout === 'one-column') {
      const cells = chooseCellLines(core, controls, view);
      if (cells !== root.dataset.cells) {
        placeInOneColumn(core, controls, view.boxes, cells);
      }
    }
    if (layout !== view.layout) {
      view.layout = layout;
      view.inputs.forEach((input) => {
        input.tabIndex = -1;
      });
      core.tabChain(layout).forEach((field, place) => {
        view.inputs[field].tabIndex = place + 1;
      });
    }
    return layout;
  };
}

// How a grid's cells run in one column, by the core's rule, from what is
// measured here: the grid's width inside its frame, its widest row name, the
// gap between its columns, and the width a cell needs for the widest rating
// (its text as drawn in a cell's font, with the cell's padding and border).
/** @param {VelmoraCore} core @param {Control[]} controls @returns {CellLines} */
function chooseCellLines(core, controls, view) {
  const grids = core.oneColumnPlaces('under');
  let chosen = /** @type {CellLines} */ ('beside');
  controls.forEach((control, frame) => {
    if (control.kind !== 'Frame' || !grids[frame].evenColumns) {
      return;
    }
    const box = view.boxes[frame];
    const style = getComputedStyle(box);
    const width = box.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
    const inside = controls.map((c, i) => i).filter((i) => controls[i].container === control.name &&
      !view.boxes[i].hidden);
    const names = inside.filter((i) => grids[i].namesRow).map((i) => textExtent(view.texts[i]).needs);
    const cell = view.inputs[inside.find((i) => controls[i].kind === 'TextBox')];
    const cellStyle = getComputedStyle(cell);
    const probe = document.createElement('span');
    probe.textContent = core.widestCellText();
    probe.style.setProperty('font', cellStyle.font);
    probe.style.setProperty('white-space', 'pre');
    probe.style.setProperty('position', 'absolute'); // not a cell of the frame's grid
    box.append(probe);
    const needs = probe.getBoundingClientRect().width + ['paddingLeft', 'paddingRight', 'borderLeftWidth',
      'borderRightWidth'].reduce((sum, side) => sum + parseFloat(cellStyle[side]), 0);
    probe.remove();
    chosen = core.chooseCellLines(width, Math.max(0, ...names), parseFloat(style.columnGap) || 0, needs);
  });
  return chosen;
}

/** @param {VelmoraCore} core @param {Control[]} controls */
function measureWindowLayout(core, controls, view) {
  const window = view.boxes[0];
  const outside = getComputedStyle(window);
  const captions = [];
  controls.forEach((control, i) => {
    const box = view.boxes[i];
    if (box.hidden || !control.measuredForLayout) {
      return;
    }
    const caption = control.kind === 'Label' ? view.whole[i].textContent : view.texts[i].textContent;
    if (control.kind === 'Label' && core.staysOnOneLine(i, caption, 'window')) {
      view.texts[i].textContent = caption; // measured whole; shown again by the caller
      const { needs, room } = textExtent(view.texts[i]);
      captions.push({ field: i, caption, width: needs, height: 0, roomWidth: room, roomHeight: 0 });
    } else if (box.classList.contains('choice')) {
      // An option grows down to its indicator, as designed; only its width is fixed.
      captions.push({ field: i, caption, width: box.scrollWidth, height: 0, roomWidth: box.clientWidth,
        roomHeight: 0 });
    } else {
      captions.push({ field: i, caption, width: box.scrollWidth, height: box.scrollHeight,
        roomWidth: box.clientWidth, roomHeight: box.clientHeight });
    }
  });
  return {
    screenWidth: document.documentElement.clientWidth,
    windowWidth: window.getBoundingClientRect().width + parseFloat(outside.marginLeft) +
      parseFloat(outside.marginRight),
    captions,
  };
}

// How far a label's text reaches as drawn, from where its text may start (a
// lead before a result included), and the room its label gives it.
export function textExtent(label) {
  const style = getComputedStyle(label);
  const start = label.getBoundingClientRect().left + label.clientLeft + parseFloat(style.paddingLeft);
  const room = parseFloat(style.maxWidth) ||
    label.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
  const range = document.createRange();
  range.selectNodeContents(label);
  const drawn = range.getBoundingClientRect();
  return { needs: drawn.width > 0 ? drawn.right - start : 0, room };
}
