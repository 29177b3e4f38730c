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
