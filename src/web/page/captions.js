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
