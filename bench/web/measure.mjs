// The web page's costs in headless Chromium against the local static server:
//  - the bytes it loads, compressed with gzip;
//  - navigation to first paint and to ready (a press possible), median of N
//    loads, each against a static page with the same controls and no
//    WebAssembly, loaded alternately in the same run;
//  - a click on 计算 to the last label written.
//   node bench/web/measure.mjs [SITE_DIR] [LOADS]
import { mkdtempSync, readdirSync, readFileSync, writeFileSync, copyFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';

process.env.VELMORA_SITE ??= process.argv[2];
// After the site is named: the helpers read its folder as they load.
const { launch, openWindow, startSite, siteDir } = await import('../../tests/web/site.mjs');
const loads = Number(process.argv[3] ?? 21);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// 最佳组合's modules and worker load when its panel first opens (and into the
// offline copy after the page is ready): apart from the first visit.
const later = (file) => /^(velmora-best-gear\.|best-gear(-worker)?\.js$|gear-grid\.js$)/.test(file);
const sizes = readdirSync(siteDir).map((file) => [file, gzipSync(readFileSync(join(siteDir, file)), { level: 9 }).length]);
for (const [what, files] of [['first visit', sizes.filter(([f]) => !later(f))], ['最佳组合 later', sizes.filter(([f]) => later(f))]]) {
  const total = files.reduce((sum, [, size]) => sum + size, 0);
  console.log(`gzip ${what} ${(total / 1024).toFixed(1)} KiB: ${files.map(([f, s]) => `${f} ${s}`).join(', ')}`);
}

const site = await startSite();
const browser = await launch();
try {
  // The static twin: the built window's markup and style, no script.
  const context = await browser.newContext();
  const page = await openWindow(context, site.url);
  const markup = await page.evaluate(() => document.getElementById('window').outerHTML);
  await context.close();
  const staticDir = mkdtempSync(join(tmpdir(), 'velmora-static-'));
  copyFileSync(join(siteDir, 'style.css'), join(staticDir, 'style.css'));
  writeFileSync(join(staticDir, 'index.html'), `<!doctype html><html lang="zh-CN"><head><meta charset="utf-8">
<title>Velmorav1.1</title><link rel="stylesheet" href="style.css"></head><body>${markup}</body></html>`);
  process.env.VELMORA_SITE = staticDir;
  const staticSite = await startSite();

  async function loadTimes(url, readyCheck) {
    const context = await browser.newContext();
    const page = await context.newPage();
    await page.goto(url);
    await page.waitForFunction(readyCheck);
    const times = await page.evaluate(async () => {
      const paint = await new Promise((done) => new PerformanceObserver((list) => {
        const entry = list.getEntriesByName('first-contentful-paint')[0];
        if (entry) {
          done(entry.startTime);
        }
      }).observe({ type: 'paint', buffered: true }));
      const ready = performance.getEntriesByName('velmora-ready')[0]?.startTime ??
        performance.getEntriesByType('navigation')[0].loadEventEnd;
      return { paint, ready };
    });
    await context.close();
    return times;
  }
  const velmora = { paint: [], ready: [] };
  const twin = { paint: [], ready: [] };
  for (let i = 0; i < loads; ++i) {
    const v = await loadTimes(site.url, () => document.body.dataset.ready === 'true');
    const s = await loadTimes(staticSite.url, () => document.readyState === 'complete' &&
      performance.getEntriesByType('navigation')[0].loadEventEnd > 0);
    velmora.paint.push(v.paint); velmora.ready.push(v.ready);
    twin.paint.push(s.paint); twin.ready.push(s.ready);
  }
  staticSite.stop();
  for (const what of ['paint', 'ready']) {
    const a = median(velmora[what]);
    const b = median(twin[what]);
    console.log(`${what}: velmora ${a.toFixed(1)} ms, static twin ${b.toFixed(1)} ms, ratio ${(a / b).toFixed(2)}x`);
  }

  // A click on 计算, the panel changed between clicks so every label is
  // written again.
  const clickContext = await browser.newContext();
  const clickPage = await openWindow(clickContext, site.url);
  await clickPage.click('#Option2');
  // The page's clock is coarse (0.1 ms), so rounds of 50 clicks are timed
  // and divided.
  const clicks = await clickPage.evaluate(() => {
    const attack = document.getElementById('Text3');
    const calculate = document.getElementById('Command1');
    const rounds = [];
    for (let round = 0; round < 21; ++round) {
      let spent = 0;
      for (let i = 0; i < 50; ++i) {
        attack.value = String(15000 + (i % 2));
        attack.dispatchEvent(new Event('input'));
        const start = performance.now();
        calculate.click(); // the press and the mirroring of every field run within the click
        spent += performance.now() - start;
      }
      rounds.push(spent / 50);
    }
    return rounds;
  });
  console.log(`click on 计算 to the last label written: median ${median(clicks).toFixed(3)} ms (21 rounds of 50)`);
  await clickContext.close();
} finally {
  await browser.close();
  site.stop();
}
