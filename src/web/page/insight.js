// 实际提升 and 收益曲线 on the page: a panel below the window (on a phone, after
// its frames), opened by its button. It shows what the core computes: each
// set's exact change as of the last 总收益, and the gain curves of the last
// 计算 drawn as SVG, with every number, tick and text the core's.
const svgNS = 'http://www.w3.org/2000/svg';

export function element(tag, className, text) {
  const made = document.createElement(tag);
  if (className) {
    made.className = className;
  }
  if (text !== undefined) {
    made.textContent = text;
  }
  return made;
}

// A line a screen reader reaches by Tab as well as in reading order.
function readable(tag, text) {
  const line = element(tag, 'insight-line', text);
  line.tabIndex = 0;
  return line;
}

/** @param {VelmoraCore} core @param {Calculator} calculator */
export function insightPanel(core, calculator) {
  const words = core.insightWords();
  const panel = document.getElementById('insight');
  const caption = element('h2', 'insight-caption', words.caption);
  caption.id = 'insight-caption';
  caption.tabIndex = -1;
  const basis = element('p');
  const rows = element('ul', 'insight-rows');
  const order = element('p');
  const noCurves = element('p', '', words.noCurves);
  const chart = element('div', 'chart');
  const legend = element('ul', 'legend');
  const headroom = element('ul', 'headroom');
  const coincide = element('ul', 'coincide');
  const range = element('span', 'range');
  const narrower = element('button', '', words.narrower);
  const wider = element('button', '', words.wider);
  const ranges = element('div', 'ranges');
  ranges.append(range, narrower, wider);
  panel.append(caption, element('h3', '', words.exactHeading), basis, rows, order,
    element('h3', '', words.curvesHeading), noCurves, chart, legend, coincide, headroom, ranges);
  for (const [button, choose] of [[narrower, () => calculator.narrowCurves()], [wider, () => calculator.widenCurves()]]) {
    button.type = 'button';
    button.addEventListener('click', () => {
      choose();
      show();
    });
  }

  // Drawn again only when the core's exact changes or curves may have changed.
  function show() {
    const revision = String(calculator.insightRevision());
    if (panel.hidden || panel.dataset.revision === revision) {
      return;
    }
    panel.dataset.revision = revision;
    const { changes, picture, canNarrow, canWiden, shown } = calculator.insight();
    basis.textContent = shown.basis;
    rows.replaceChildren(...(changes === null ? [] : changes.rows.map((row) => readable('li', row))));
    order.textContent = changes === null ? '' : changes.order;
    order.hidden = !shown.order;
    noCurves.textContent = shown.curvesNote;
    noCurves.hidden = shown.chart;
    for (const part of [chart, legend, coincide]) {
      part.hidden = !shown.chart;
    }
    for (const part of [headroom, ranges]) {
      part.hidden = !shown.curveControls;
    }
    if (picture === null) {
      chart.replaceChildren();
      return;
    }
    headroom.replaceChildren(...picture.headroom.map((line) => readable('li', line)));
    range.textContent = picture.range;
    narrower.disabled = !canNarrow;
    wider.disabled = !canWiden;
    legend.replaceChildren(...picture.curves.map((curve) => {
      const item = element('li', '', curve.name);
      item.prepend(sample(curve));
      return item;
    }));
    coincide.replaceChildren(...picture.coincide.map((line) => readable('li', line)));
    chart.replaceChildren(...(shown.chart ? [drawChart(picture, chart)] : []));
  }

  return {
    show,
    // The room has changed: drawn again at the width the chosen layout gives it.
    relaidOut() {
      delete panel.dataset.revision;
      show();
    },
    open() {
      panel.hidden = false;
      delete panel.dataset.revision;
      show();
      // Where the core says the panel starts; the caption comes into view with it.
      const start = calculator.insight().start;
      const first = start === 'first-row' ? rows.firstElementChild : start === 'chart' ? chart.firstElementChild : caption;
      caption.scrollIntoView({ block: 'start' });
      /** @type {HTMLElement | SVGElement} */ (first).focus({ preventScroll: true });
    },
  };
}

// A curve's colours, for the light plot and the dark (set through the style
// object: the page's policy refuses style attributes), and its dashes.
/** @param {SVGElement} shape @param {GainCurve} curve */
function paint(shape, curve) {
  shape.style.setProperty('--light', curve.colour);
  shape.style.setProperty('--dark', curve.darkColour);
  shape.setAttribute('stroke-dasharray', Array.from(curve.dashes).join(' ') || 'none');
  return shape;
}

// A legend's sample: a short stretch of the curve's line, drawn as the line is.
/** @param {GainCurve} curve */
function sample(curve) {
  const svg = document.createElementNS(svgNS, 'svg');
  svg.setAttribute('width', '24');
  svg.setAttribute('height', '6');
  svg.setAttribute('aria-hidden', 'true');
  const line = document.createElementNS(svgNS, 'line');
  for (const [key, value] of Object.entries({ x1: '0', x2: '24', y1: '3', y2: '3', class: 'curve' })) {
    line.setAttribute(key, value);
  }
  svg.append(paint(line, curve));
  return svg;
}

// The picture at the width the chart has and with the font it uses, so that
// its words are as large as the page's.
/** @param {GainPicture} picture @param {HTMLElement} chart */
function drawChart(picture, chart) {
  const font = parseFloat(getComputedStyle(chart).fontSize) || 12;
  const width = Math.max(chart.clientWidth, 200);
  const height = Math.round(Math.min(Math.max(width * 0.55, 14 * font), 24 * font));
  const area = { left: 4 * font, right: width - font, top: 2 * font, bottom: height - 2.8 * font };
  const x = (rating) => area.left + (rating - picture.left) / (picture.right - picture.left) * (area.right - area.left);
  const y = (percent) => area.bottom - (percent - picture.bottom) / (picture.top - picture.bottom) *
    (area.bottom - area.top);
  const svg = document.createElementNS(svgNS, 'svg');
  svg.setAttribute('viewBox', `0 0 ${width} ${height}`);
  svg.setAttribute('width', String(width));
  svg.setAttribute('height', String(height));
  svg.setAttribute('role', 'img');
  svg.setAttribute('tabindex', '0');
  svg.setAttribute('aria-label', picture.spoken);
  const add = (tag, attributes, text) => {
    const shape = document.createElementNS(svgNS, tag);
    for (const [key, value] of Object.entries(attributes)) {
      shape.setAttribute(key, value);
    }
    if (text !== undefined) {
      shape.textContent = text;
    }
    svg.append(shape);
    return shape;
  };
  for (const tick of picture.percentTicks) {
    add('line', { x1: area.left, x2: area.right, y1: y(tick.value), y2: y(tick.value),
      class: tick.value === 0 ? 'axis' : 'grid' });
    add('text', { x: area.left - 6, y: y(tick.value), 'text-anchor': 'end', 'dominant-baseline': 'middle' },
      tick.text);
  }
  for (const tick of picture.ratingTicks) {
    add('line', { x1: x(tick.value), x2: x(tick.value), y1: area.top, y2: area.bottom,
      class: tick.value === 0 ? 'axis' : 'grid' });
    add('text', { x: x(tick.value), y: area.bottom + font * 1.2, 'text-anchor': 'middle' }, tick.text);
  }
  add('text', { x: (area.left + area.right) / 2, y: height - font * 0.3, 'text-anchor': 'middle' },
    picture.ratingAxis);
  add('text', { x: 0, y: font }, picture.percentAxis);
  picture.curves.forEach((curve) => {
    const points = Array.from(curve.percents, (percent, k) => `${x(curve.ratings[k])},${y(percent)}`);
    paint(add('polyline', { points: points.join(' '), class: 'curve' }), curve);
    for (const cap of curve.caps) {
      paint(add('circle', { cx: x(cap.rating), cy: y(cap.percent), r: 4, class: 'cap-mark' }), curve)
        .setAttribute('stroke-dasharray', 'none');
      add('text', { x: x(cap.rating) + 6, y: y(cap.percent) + (cap.below ? font : -6), class: 'cap' }, cap.text);
    }
  });
  return svg;
}
