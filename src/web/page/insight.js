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
    if (shown.chart) {
      // The legend and the headroom stay in view under the chart.
      const under = headroom.getBoundingClientRect().bottom - legend.getBoundingClientRect().top;
      drawChart(core, calculator, picture, chart, window.innerHeight - under - 16);
    } else {
      chart.replaceChildren();
    }
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

// The size the chart's text is drawn at: the page's, or larger where the
// player's minimum font size raises the page's text (the style does not
// show that): a probe's width against one at 100 px, above any minimum.
/** @param {VelmoraCore} core @param {HTMLElement} chart */
function drawnFontSize(core, chart) {
  const styled = parseFloat(getComputedStyle(chart).fontSize) || 12;
  const probe = (size) => {
    const text = element('span', '', '0000000000');
    text.style.setProperty('font-size', `${size}px`);
    chart.append(text);
    const width = text.getBoundingClientRect().width;
    text.remove();
    return width;
  };
  const large = probe(100);
  const drawn = large > 0 ? 100 * probe(styled) / large : styled;
  return core.fitsItsRoom(drawn, styled) ? styled : drawn; // within rounding, the style's
}

// A text's size as drawn in the chart, and how far its baseline is below its
// top; measured once for each text, kind and font size.
const measuredLabels = new Map();
/** @param {SVGSVGElement} svg @param {string} words @param {number} font @param {string} kind */
function measuredLabel(svg, words, font, kind) {
  const key = `${font}|${kind}|${words}`;
  if (!measuredLabels.has(key)) {
    const text = document.createElementNS(svgNS, 'text');
    text.setAttribute('class', kind);
    text.textContent = words;
    svg.append(text);
    const box = text.getBBox();
    text.remove();
    measuredLabels.set(key, { width: box.width, height: box.height, ascent: -box.y });
  }
  return measuredLabels.get(key);
}

// The picture at the width the chart has, as tall as the core plans it for
// the words as drawn and the height the screen leaves (tallest), every word
// where the core places it.
/**
 * @param {VelmoraCore} core @param {Calculator} calculator @param {GainPicture} picture
 * @param {HTMLElement} chart @param {number} tallest
 */
function drawChart(core, calculator, picture, chart, tallest) {
  const svg = document.createElementNS(svgNS, 'svg');
  chart.replaceChildren(svg);
  const font = drawnFontSize(core, chart);
  svg.style.setProperty('font-size', `${font}px`);
  const width = Math.max(chart.clientWidth, 200);
  const measured = (words, kind = '') => measuredLabel(svg, words, font, kind);
  const caps = picture.curves.flatMap((curve) => curve.caps.map((cap) => cap.text));
  const plan = calculator.chartPlan(width, { font, capLabels: caps.map((words) => measured(words, 'cap')),
    ratingTicks: picture.ratingTicks.map((tick) => measured(tick.text)),
    percentTicks: picture.percentTicks.map((tick) => measured(tick.text)),
    ratingAxis: measured(picture.ratingAxis), percentAxis: measured(picture.percentAxis) }, tallest);
  const { height, plot: area } = plan;
  const x = (rating) => area.left + (rating - picture.left) / (picture.right - picture.left) * area.width;
  const y = (percent) => area.top + area.height - (percent - picture.bottom) / (picture.top - picture.bottom) *
    area.height;
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
  // Words with their box's top left where the core puts them.
  const write = (place, words, kind = '') => {
    add('text', { x: place.left, y: place.top + measured(words, kind).ascent, class: kind }, words);
  };
  const right = area.left + area.width;
  const bottom = area.top + area.height;
  // Each tick's line, then its words where the core writes them.
  picture.percentTicks.forEach((tick, i) => {
    add('line', { x1: area.left, x2: right, y1: y(tick.value), y2: y(tick.value),
      class: tick.value === 0 ? 'axis' : 'grid' });
    if (plan.percentTicks[i].shown) {
      write(plan.percentTicks[i], tick.text);
    }
  });
  picture.ratingTicks.forEach((tick, i) => {
    add('line', { x1: x(tick.value), x2: x(tick.value), y1: area.top, y2: bottom,
      class: tick.value === 0 ? 'axis' : 'grid' });
    if (plan.ratingTicks[i].shown) {
      write(plan.ratingTicks[i], tick.text);
    }
  });
  write(plan.ratingAxis, picture.ratingAxis);
  write(plan.percentAxis, picture.percentAxis);
  picture.curves.forEach((curve) => {
    const points = Array.from(curve.percents, (percent, k) => `${x(curve.ratings[k])},${y(percent)}`);
    paint(add('polyline', { points: points.join(' '), class: 'curve' }), curve);
    for (const cap of curve.caps) {
      paint(add('circle', { cx: x(cap.rating), cy: y(cap.percent), r: plan.markRadius - 1, class: 'cap-mark' }),
        curve).setAttribute('stroke-dasharray', 'none');
    }
  });
  // After every line, so that none is drawn over the words.
  plan.capLabels.forEach((place, i) => {
    if (place.onPatch) {
      add('rect', { x: place.left, y: place.top, width: place.width, height: place.height, class: 'patch' });
    }
    if (place.leader) {
      const { leaderFrom: from, leaderTo: to } = place;
      add('line', { x1: from.x, y1: from.y, x2: to.x, y2: to.y, class: 'leader' });
    }
    if (place.shown) {
      write(place, caps[i], 'cap');
    }
  });
  return svg;
}
