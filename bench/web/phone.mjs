// The page's load and press times on a phone and at desktop width, with and
// without a slow phone's handicaps (CPU 4x slower, Chromium's "Slow 4G":
// 562.5 ms latency, 1.47 Mbit/s down, 675 kbit/s up), through the DevTools
// protocol. Medians of N loads each:
//  - first visit: navigation to ready (a press possible), nothing cached;
//  - repeat visit: the same, from the offline copy;
//  - a tap on 计算 to the last label written;
//  - the same with 实际提升与收益曲线 open: to its picture drawn and laid out.
//   node bench/web/phone.mjs [SITE_DIR] [LOADS]
import { launch, startSite } from '../../tests/web/site.mjs';

process.env.VELMORA_SITE ??= process.argv[2];
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

try {
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
