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
