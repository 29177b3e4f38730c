// Every number whole, or shortened with a visible "…", on the screens and
// settings players use: phones from 320 px and a desktop, a minimum font size
// of 16 and 24 px, the text-spacing overrides low-vision readers use, forced
// colours and the dark preference, in Chromium and Firefox, each set as a
// player sets it. Nothing scrolls sideways, no text runs out of its control,
// every box shows a 5-digit rating whole, the chart's words are as large as
// the prose and none touches another.
import assert from 'node:assert/strict';
import { mkdirSync, mkdtempSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { chromium } from 'playwright-core';
import puppeteer from 'puppeteer-core';

import { startSite, workedExample } from './site.mjs';

const spacing = '* { line-height: 1.5 !important; letter-spacing: 0.12em !important; word-spacing: 0.16em !important }';
const minimum = (size) => ({ chromium: { webkit: { webprefs: { minimum_font_size: size, minimum_logical_font_size: size } } },
  firefox: { 'font.minimum-size.zh-CN': size, 'font.minimum-size.x-western': size } });
// name: [Chromium's profile preferences and context options, Firefox's preferences, user style, wide layout]
const settings = {
  plain: [{}, {}, {}, '', 'window'],
  dark: [{}, { colorScheme: 'dark' }, { 'layout.css.prefers-color-scheme.content-override': 0 }, '', 'window'],
  'forced colours': [{}, { forcedColors: 'active' }, { 'browser.display.document_color_use': 2 }, '', 'window'],
  'text spacing': [{}, {}, { 'toolkit.legacyUserProfileCustomizations.stylesheets': true }, spacing, 'one-column'],
  'minimum font 16 px': [minimum(16).chromium, {}, minimum(16).firefox, '', 'one-column'],
  'minimum font 24 px': [minimum(24).chromium, {}, minimum(24).firefox, '', 'one-column'],
};

// In the page: a sheet whose results and totals are long (16 significant
// digits in haste mode), pressed as a player would, every box answered;
// then what a player would see wrong.
async function playAndLook(panel) {
  const press = (name) => {
    document.getElementById(name).click();
    while (document.getElementById('warning').open) {
      document.getElementById('warning-ok').click();
    }
  };
  const type = (name, value) => {
    Object.assign(document.getElementById(name), { value }).dispatchEvent(new Event('input', { bubbles: true }));
  };
  press('Option2');
  [...panel, ['Text1', '3000'], ['Text36', '10']].forEach(([name, value]) => type(name, value));
  press('Command3');
  press('Command1');
  [['Text15', '1'], ['Text16', '120'], ['Text17', '300'], ['Text23', '95'], ['Text26', '400'], ['Text30', '150'],
    ['Text35', '250'], ['Text38', '7']].forEach(([name, value]) => type(name, value));
  press('Command2');

  const faults = [];
  const root = document.documentElement;
  if (root.scrollWidth > root.clientWidth) {
    faults.push(`the page scrolls sideways: ${root.scrollWidth} > ${root.clientWidth}`);
  }
  const drawn = (element) => {
    const range = document.createRange();
    range.selectNodeContents(element);
    return range.getBoundingClientRect();
  };
  const outside = (text, box) => text.width > 0 && (text.left < box.left - 1 || text.right > box.right + 1 ||
    text.top < box.top - 1.5 || text.bottom > box.bottom + 1.5);
  const numbers = [];
  const cut = [];
  for (const label of [...document.querySelectorAll('#window .label')].filter((e) => e.getClientRects().length)) {
    const whole = document.getElementById(`${label.id}-whole`).textContent;
    if (/^-?[0-9.]+(E[-+][0-9]+)?$/.test(whole)) {
      numbers.push(label.id);
      (label.textContent === whole ? [] : cut).push(label.id);
    }
    if (label.textContent !== whole && !label.textContent.includes('…')) {
      faults.push(`${label.id} shows "${label.textContent}" for "${whole}" without "…"`);
    }
    if (outside(drawn(label), label.getBoundingClientRect())) {
      faults.push(`${label.id} "${label.textContent}" is drawn beyond its label`);
    }
  }
  for (const text of document.querySelectorAll('#window button, #window .choice > span')) {
    const control = text.closest('button, .choice');
    if (text.getClientRects().length && outside(drawn(text), control.getBoundingClientRect())) {
      faults.push(`"${text.textContent}" runs out of its control`);
    }
  }
  // Every box shows a 5-digit rating whole (set without telling the page).
  for (const box of document.querySelectorAll('#window input[type="text"]')) {
    const typed = box.value;
    box.value = '88888';
    if (box.getClientRects().length && box.scrollWidth > box.clientWidth) {
      faults.push(`${box.id} cuts 88888: ${box.scrollWidth} px in ${box.clientWidth}`);
    }
    box.value = typed;
  }
  // The chart: its words as large as the prose beside it (a minimum font
  // size reaches both), inside the picture and apart from each other.
  press('Command6');
  const prose = drawn(document.querySelector('#insight .headroom li')).height;
  const svg = document.querySelector('#insight .chart svg').getBoundingClientRect();
  const words = [...document.querySelectorAll('#insight .chart text')].map((text) => [text, drawn(text)]);
  for (const [text, box] of words) {
    if (box.height < prose - 1) {
      faults.push(`the chart's "${text.textContent}" is drawn ${box.height} px high beside prose ${prose} px high`);
    }
    if (outside(box, svg)) {
      faults.push(`the chart's "${text.textContent}" is drawn beyond the chart`);
    }
  }
  words.forEach(([text, box], i) => words.slice(0, i).forEach(([other, seen]) => {
    if (box.left < seen.right && seen.left < box.right && box.top < seen.bottom && seen.top < box.bottom) {
      faults.push(`the chart's "${text.textContent}" overlaps "${other.textContent}"`);
    }
  }));
  // 最佳组合's grid of cells, an item added: each box shows a 5-digit rating
  // whole, each field's title stays in its cell, nothing scrolls sideways.
  const until = async (done) => {
    while (!done()) {
      await new Promise((next) => setTimeout(next, 20));
    }
  };
  press('Command7');
  await until(() => document.querySelector('#best-gear .add-item') !== null);
  document.querySelector('#best-gear .add-item').click();
  await until(() => document.querySelector('#best-gear tbody tr') !== null);
  for (const box of document.querySelectorAll('#best-gear .gear-grid input[type="text"]')) {
    box.value = '88888';
    if (box.scrollWidth > box.clientWidth) {
      faults.push(`${box.getAttribute('aria-label')} cuts 88888: ${box.scrollWidth} px in ${box.clientWidth}`);
    }
  }
  for (const title of document.querySelectorAll('#best-gear .cell-title, #best-gear th')) {
    if (title.getClientRects().length && outside(drawn(title), title.closest('td, th').getBoundingClientRect())) {
      faults.push(`the grid's "${title.textContent}" runs out of its cell`);
    }
  }
  if (root.scrollWidth > root.clientWidth) {
    faults.push(`with 最佳组合 open the page scrolls sideways: ${root.scrollWidth} > ${root.clientWidth}`);
  }
  return { faults, numbers: numbers.length, cut, layout: root.classList.contains('one-column') ? 'one-column' : 'window' };
}

// At each width: no fault; every result and total on show; on a phone every
// number whole at the plain setting; the layout each setting calls for.
async function checkWidths(setting, openAt) {
  const [,,,, wide] = settings[setting];
  for (const width of [320, 360, 390, 412, 1280]) {
    const page = await openAt(width);
    await page.waitForSelector('body[data-ready="true"]');
    const seen = await page.evaluate(playAndLook, workedExample);
    assert.deepEqual(seen.faults, [], `${setting} at ${width} px`);
    assert.equal(seen.numbers, 15, `${setting} at ${width} px: results on show`);
    assert.equal(seen.layout, width < 602 ? 'one-column' : wide, `${setting} at ${width} px`);
    if (wide === 'window' && width < 602) {
      assert.deepEqual(seen.cut, [], `${setting} at ${width} px: every number whole`);
    }
    await page.close();
  }
}

let site;
before(async () => {
  site = await startSite();
});
after(() => site?.stop());

const profile = (browser) => mkdtempSync(join(tmpdir(), `velmora-${browser}-`));

for (const [setting, [preferences, options,, userStyle]] of Object.entries(settings)) {
  test(`Chromium: ${setting}`, async () => {
    const dir = profile('chromium');
    mkdirSync(join(dir, 'Default'));
    writeFileSync(join(dir, 'Default', 'Preferences'), JSON.stringify(preferences));
    const context = await chromium.launchPersistentContext(dir, { executablePath: '/usr/bin/chromium',
      args: ['--no-sandbox'], bypassCSP: true, colorScheme: options.colorScheme });
    try {
      await checkWidths(setting, async (width) => {
        const page = await context.newPage();
        await page.setViewportSize({ width, height: 800 });
        await page.emulateMedia({ forcedColors: options.forcedColors ?? 'none' });
        await page.addInitScript((css) => addEventListener('DOMContentLoaded', () => {
          document.head.append(Object.assign(document.createElement('style'), { textContent: css }));
        }), userStyle);
        await page.goto(site.url);
        return page;
      });
    } finally {
      await context.close();
    }
  });
}

for (const [setting, [,, prefs, userStyle]] of Object.entries(settings)) {
  test(`Firefox: ${setting}`, async () => {
    const dir = profile('firefox');
    mkdirSync(join(dir, 'chrome'));
    writeFileSync(join(dir, 'chrome', 'userContent.css'), userStyle); // as a player's own style sheet
    const browser = await puppeteer.launch({ browser: 'firefox', executablePath: '/usr/bin/firefox-esr',
      headless: true, userDataDir: dir, extraPrefsFirefox: prefs });
    try {
      await checkWidths(setting, async (width) => {
        const page = await browser.newPage();
        await page.setViewport({ width, height: 800 });
        await page.goto(site.url);
        return page;
      });
    } finally {
      await browser.close();
    }
  });
}
