'use strict';
// Debian's Firefox ESR driven by puppeteer-core over WebDriver BiDi: one fresh
// profile per browser, so every game starts without saved records. Its pages
// are puppeteer pages: goto (file:// or http://), evaluate, mouse.click,
// keyboard.press, setViewport and close, the calls Game and the other
// players use; new Game(page).touch(word) clicks a word.
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const puppeteer = require('puppeteer-core');

// This machine has no network: without these Firefox spends its start-up
// asking for updates, telemetry, a captive portal, safe-browsing lists and
// remote settings, and logs each failure.
const QUIET = {
    'app.update.auto': false,
    'app.update.enabled': false,
    'app.normandy.enabled': false,
    'app.shield.optoutstudies.enabled': false,
    'browser.discovery.enabled': false,
    'browser.region.network.url': '',
    'browser.region.update.enabled': false,
    'browser.safebrowsing.provider.mozilla.updateURL': '',
    'datareporting.healthreport.uploadEnabled': false,
    'datareporting.policy.dataSubmissionEnabled': false,
    'extensions.blocklist.enabled': false,
    'extensions.systemAddon.update.enabled': false,
    'geo.provider.network.url': '',
    'media.gmp-manager.url': '',
    'network.captive-portal-service.enabled': false,
    'network.connectivity-service.enabled': false,
    'network.dns.disablePrefetch': true,
    'network.prefetch-next': false,
    'network.trr.mode': 5,
    'services.settings.server': '',
    'toolkit.telemetry.enabled': false,
    'toolkit.telemetry.server': '',
    'toolkit.telemetry.unified': false,
};

async function launchFirefox() {
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'quenlo-firefox-'));
    const browser = await puppeteer.launch({
        browser: 'firefox',
        protocol: 'webDriverBiDi',
        executablePath: process.env.QUENLO_FIREFOX || '/usr/bin/firefox-esr',
        headless: true,
        userDataDir: profile,
        extraPrefsFirefox: QUIET,
        defaultViewport: { width: 1000, height: 800 },
    });
    const newPage = () => browser.newPage();
    return {
        browser,
        newPage,
        // What Game.open takes, as a playwright context would be.
        context: { newPage },
        async close() {
            await browser.close();
            fs.rmSync(profile, { recursive: true, force: true });
        },
    };
}

module.exports = { launchFirefox };
