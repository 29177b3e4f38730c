// Serves the built site on a free loopback port with the headers a host
// should send (tools/serve-site.py), and opens it in Debian's Chromium.
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { createServer } from 'node:net';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { after, before } from 'node:test';
import { chromium } from 'playwright-core';

export const siteDir = resolve(process.env.VELMORA_SITE ?? 'build-wasm/web');

function freePort() {
  return new Promise((done, fail) => {
    const probe = createServer();
    probe.on('error', fail);
    probe.listen(0, '127.0.0.1', () => {
      const { port } = probe.address();
      probe.close(() => done(port));
    });
  });
}

const serverScript = join(dirname(fileURLToPath(import.meta.url)), '..', '..', 'tools', 'serve-site.py');

export async function startSite(dir = siteDir) {
  const port = await freePort();
  const server = spawn('python3', [serverScript, dir, String(port)], { stdio: 'ignore' });
  const url = `http://127.0.0.1:${port}/`;
  for (let i = 0; i < 100; ++i) {
    try {
      if ((await fetch(url)).ok) {
        return { url, stop: () => server.kill() };
      }
    } catch {
      // not listening yet
    }
    await new Promise((done) => setTimeout(done, 50));
  }
  server.kill();
  throw new Error('the static server did not start');
}

export function launch() {
  return chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox'] });
}

// The site served and Chromium started for the tests of a file; served.site
// and served.browser once they run.
export function servedInChromium() {
  const served = {};
  before(async () => {
    served.site = await startSite();
    served.browser = await launch();
  });
  after(async () => {
    await served.browser?.close();
    served.site?.stop();
  });
  return served;
}

// A page of the main window, ready for a press; page errors are collected.
export async function openWindow(context, url) {
  const page = await context.newPage();
  page.errors = [];
  page.on('pageerror', (error) => page.errors.push(error.message));
  await page.goto(url);
  await page.waitForSelector('body[data-ready="true"]');
  return page;
}

// Answers every warning box that is up with 确定, as a user would, and
// returns [title, prompt] of each: until the core's press is over (the
// window no longer busy) with no box up.
export async function answerBoxes(page) {
  const seen = [];
  for (;;) {
    const box = await (await page.waitForFunction(() => {
      const dialog = document.getElementById('warning');
      if (dialog.open) {
        return [document.getElementById('warning-title').textContent,
          document.getElementById('warning-prompt').textContent];
      }
      return document.getElementById('window').getAttribute('aria-busy') !== 'true' && 'none';
    })).jsonValue();
    if (box === 'none') {
      return seen;
    }
    seen.push(box);
    await page.click('#warning-ok');
  }
}

// What the window shows of one control, in the form form-driver's dump uses.
export function shownFields(page) {
  return page.evaluate(() => {
    const shown = {};
    for (const element of document.querySelectorAll('#window [id]')) {
      const name = element.id.replace(/-caption$/, '');
      const box = element.closest('.choice') ?? (element.classList.contains('frame-caption')
        ? element.parentElement : element);
      const field = { visible: !box.hidden };
      if (element.tagName === 'INPUT' && element.type === 'text') {
        field.text = element.value;
      } else if (element.tagName === 'INPUT') {
        field.text = element.nextElementSibling.textContent;
        field.value = element.checked ? 1 : 0;
      } else {
        // A shortened label holds its whole text in its tool tip.
        field.text = (element.classList.contains('label') && element.title) || element.textContent;
      }
      shown[name] = field;
    }
    return shown;
  });
}

// The worked example, written once for every suite (tests/worked_example.json).
const worked = JSON.parse(readFileSync(join(dirname(fileURLToPath(import.meta.url)), '..', 'worked_example.json'),
  'utf8'));
export const workedExample = worked.panel;
export const workedResults = Object.fromEntries(worked.results);

const golden = join(dirname(fileURLToPath(import.meta.url)), '..', 'golden');
export const goldenScenarios = ['worked_example', 'no_discipline', 'gear_set1_haste'];

// Runs a form-driver scenario through the page, with `set` typing into a box
// and `press` clicking or tapping (click and focus); each dump is compared
// with what the window shows and the boxes it showed.
export async function runGolden(page, scenario, { set, press }) {
  const expected = readFileSync(join(golden, `${scenario}.expected`), 'utf8').trim().split('\n')
    .map((line) => JSON.parse(line));
  let boxes = [];
  let dumps = 0;
  for (const line of readFileSync(join(golden, `${scenario}.script`), 'utf8').split('\n')) {
    const [action, name] = line.split(' ');
    if (line.trim() === '' || line.startsWith('#')) {
      continue;
    }
    if (action === 'set') {
      await set(name, JSON.parse(line.slice(line.indexOf('"'))));
    } else if (action === 'click' || action === 'focus') {
      await press(name);
      boxes = boxes.concat(await answerBoxes(page));
    } else if (action !== 'dump') {
      throw new Error(`${scenario}: a script line this page cannot play: ${line}`);
    } else {
      const want = expected[dumps++];
      const shown = await shownFields(page);
      for (const [field, state] of Object.entries(want.fields)) {
        if (field === 'Form1') {
          continue;
        }
        assert.equal(shown[field].text, state.text, `${scenario} dump ${dumps} ${field}`);
        assert.equal(shown[field].visible, state.visible, `${scenario} dump ${dumps} ${field} shown`);
        if ('value' in state) {
          assert.equal(shown[field].value, state.value, `${scenario} dump ${dumps} ${field} value`);
        }
      }
      assert.deepEqual(boxes.map(([title, prompt]) => [prompt, title]), want.warnings, `${scenario} boxes`);
      boxes = [];
    }
  }
  assert.equal(dumps, expected.length);
}

// Screenshots as rows of relative luminances (0 black, 1 white), decoded in
// the page.
export function luminances(page, shots) {
  return page.evaluate((pngs) => Promise.all(pngs.map(async (png) => {
    const image = await createImageBitmap(new Blob([Uint8Array.from(atob(png), (c) => c.charCodeAt(0))]));
    const canvas = new OffscreenCanvas(image.width, image.height);
    canvas.getContext('2d').drawImage(image, 0, 0);
    const data = canvas.getContext('2d').getImageData(0, 0, image.width, image.height).data;
    const linear = (c) => (c / 255 <= 0.03928 ? c / 255 / 12.92 : ((c / 255 + 0.055) / 1.055) ** 2.4);
    return Array.from({ length: image.height }, (_, y) => Array.from({ length: image.width }, (__, x) => {
      const i = 4 * (y * image.width + x);
      return 0.2126 * linear(data[i]) + 0.7152 * linear(data[i + 1]) + 0.0722 * linear(data[i + 2]);
    }));
  })), shots.map((shot) => shot.toString('base64')));
}

export const contrast = (a, b) => (Math.max(a, b) + 0.05) / (Math.min(a, b) + 0.05);
