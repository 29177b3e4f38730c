// The page's load and press times on a phone and at desktop width, with and
// without a slow phone's handicaps (CPU 4x slower, Chromium's "Slow 4G":
// 562.5 ms latency, 1.47 Mbit/s down, 675 kbit/s up), through the DevTools
// protocol. Medians of N loads each:
//  - first visit: navigation to ready (a press possible), nothing cached;
//  - repeat visit: the same, from the offline copy;
//  - a tap on 计算 to the last label written;
//  - the same with 实际提升与收益曲线 open: to its picture drawn and laid out;
//  - 最佳组合 on a list of 6 slots × 8 candidates near the caps: a tap on 开始比较
//    to the answer said (median and 90th percentile of 21 taps), and the
//    longest task on the page's thread meanwhile (the search runs in a worker).
//   node bench/web/phone.mjs [SITE_DIR] [LOADS]

process.env.VELMORA_SITE ??= process.argv[2];
// After the site is named: the helpers read its folder as they load.
const { launch, startSite } = await import('../../tests/web/site.mjs');
const loads = Number(process.argv[3] ?? 11);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

const screens = {
  phone: { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, isMobile: true, hasTouch: true },
  desktop: { viewport: { width: 1024, height: 768 } },
};
const slowPhone = { cpu: 4, network: { offline: false, latency: 562.5, downloadThroughput: 1474560 / 8,
  uploadThroughput: 675000 / 8 } };

const site = await startSite();
const browser = await launch();

async function handicap(context, page, conditions) {
  const cdp = await context.newCDPSession(page);
  if (conditions) {
    await cdp.send('Emulation.setCPUThrottlingRate', { rate: conditions.cpu });
    await cdp.send('Network.enable');
    await cdp.send('Network.emulateNetworkConditions', conditions.network);
  }
}

const readyTime = (page) => page.evaluate(() => performance.getEntriesByName('velmora-ready')[0].startTime);

async function visits(screen, conditions) {
  const first = [];
  const repeat = [];
  for (let i = 0; i < loads; ++i) {
    const context = await browser.newContext(screens[screen]);
    const page = await context.newPage();
    await handicap(context, page, conditions);
    await page.goto(site.url);
    await page.waitForSelector('body[data-ready="true"]', { timeout: 60000 });
    first.push(await readyTime(page));
    await page.evaluate(() => navigator.serviceWorker.ready);
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
    const again = await context.newPage();
    await handicap(context, again, conditions);
    await again.goto(site.url);
    await again.waitForSelector('body[data-ready="true"]', { timeout: 60000 });
    repeat.push(await readyTime(again));
    await context.close();
  }
  return { first: median(first), repeat: median(repeat) };
}

async function tapToLabels(screen, conditions, withPicture = false) {
  const context = await browser.newContext(screens[screen]);
  const page = await context.newPage();
  await page.goto(site.url);
  await page.waitForSelector('body[data-ready="true"]');
  await handicap(context, page, conditions);
  await page.click('#Option2');
  if (withPicture) {
    await page.click('#Command6');
  }
  // The clock is coarse: rounds of 20 presses are timed and divided; the
  // panel changes between presses so every label is written again.
  const rounds = await page.evaluate(() => {
    const attack = document.getElementById('Text3');
    const calculate = document.getElementById('Command1');
    const times = [];
    for (let round = 0; round < 11; ++round) {
      const start = performance.now();
      for (let i = 0; i < 20; ++i) {
        attack.value = String(15000 + (i % 2));
        attack.dispatchEvent(new Event('input'));
        calculate.click();
        document.querySelector('#insight svg')?.getBoundingClientRect(); // laid out, when it is open
      }
      times.push((performance.now() - start) / 20);
    }
    return times;
  });
  await context.close();
  return median(rounds);
}

// Slots of eight: each item two to four attributes of a few hundred rating.
function candidateList(slots) {
  let seed = 20261208;
  const pick = (low, high) => {
    seed = (seed * 1103515245 + 12345) % 2147483648;
    return low + (seed % (high - low + 1));
  };
  const lines = [];
  for (let slot = 1; slot <= slots; ++slot) {
    for (let item = 0; item < 8; ++item) {
      const ratings = [0, 0, 0, 0, 0, 0, 0, 0];
      ratings[pick(0, 1)] = pick(0, 1) === 0 ? pick(40, 120) : pick(150, 450);
      for (let extra = pick(1, 3); extra > 0; --extra) {
        ratings[pick(2, 6)] += pick(150, 650);
      }
      lines.push([`部位${slot}`, `件${item}`, item === 0 ? 1 : 0, ...ratings].join('\t'));
    }
  }
  return lines.join('\n');
}

async function bestGearAnswer(screen, conditions, slots) {
  const context = await browser.newContext(screens[screen]);
  const page = await context.newPage();
  await page.goto(site.url);
  await page.waitForSelector('body[data-ready="true"]');
  await page.click('#Option2');
  for (const [name, value] of [['Text1', '3000'], ['Text3', '15000'], ['Text4', '105'], ['Text5', '25'],
    ['Text6', '180'], ['Text7', '3000'], ['Text8', '30']]) {
    await page.fill(`#${name}`, value);
  }
  await page.click('#Command1');
  await page.click('#Command7');
  await page.waitForSelector('#best-gear-list');
  await page.fill('#best-gear-list', candidateList(slots));
  await page.click('#best-gear button:text-is("读入列表")');
  await page.waitForFunction((count) => document.querySelector('#best-gear .list-state').textContent.includes(`${count} 件`),
    slots * 8);
  await handicap(context, page, conditions);
  const { answers, longest } = await page.evaluate(async () => {
    let longest = 0;
    new PerformanceObserver((list) => {
      for (const entry of list.getEntries()) {
        longest = Math.max(longest, entry.duration);
      }
    }).observe({ type: 'longtask' });
    const said = document.querySelector('#best-gear [role="status"]');
    const start = [...document.querySelectorAll('#best-gear button')].find((b) => b.textContent === '开始比较');
    const answers = [];
    for (let tap = 0; tap < 21; ++tap) {
      said.textContent = '';
      const tapped = performance.now();
      const answered = new Promise((done) => {
        const watch = new MutationObserver(() => {
          if (said.textContent !== '') {
            watch.disconnect();
            done(performance.now());
          }
        });
        watch.observe(said, { childList: true, characterData: true, subtree: true });
      });
      start.click();
      answers.push((await answered) - tapped);
    }
    await new Promise((done) => setTimeout(done, 100)); // the last long task reported
    return { answers, longest };
  });
  await context.close();
  const sorted = [...answers].sort((a, b) => a - b);
  return { median: median(answers), p90: sorted[Math.floor(0.9 * (sorted.length - 1))], longest };
}

try {
  for (const slots of [6, 12]) {
    for (const [name, conditions] of [['none', null], ['CPU 4x, Slow 4G', slowPhone]]) {
      const { median: middle, p90, longest } = await bestGearAnswer('phone', conditions, slots);
      console.log(`最佳组合, ${slots} slots of 8, on a phone, ${name}: tap on 开始比较 to the answer said,` +
        ` median ${middle.toFixed(1)} ms, 90th percentile ${p90.toFixed(1)} ms; longest task on the page's thread` +
        ` ${longest.toFixed(0)} ms`);
    }
  }
  console.log('| screen | handicap | first visit to ready | repeat visit (offline copy) | tap on 计算 to last label |' +
    ' the same with the curves open |');
  console.log('|---|---|---|---|---|---|');
  for (const screen of Object.keys(screens)) {
    for (const [name, conditions] of [['none', null], ['CPU 4x, Slow 4G', slowPhone]]) {
      const { first, repeat } = await visits(screen, conditions);
      const tap = await tapToLabels(screen, conditions);
      const picture = await tapToLabels(screen, conditions, true);
      console.log(`| ${screen} | ${name} | ${first.toFixed(0)} ms | ${repeat.toFixed(0)} ms | ${tap.toFixed(2)} ms |` +
        ` ${picture.toFixed(2)} ms |`);
    }
  }
} finally {
  await browser.close();
  site.stop();
}
