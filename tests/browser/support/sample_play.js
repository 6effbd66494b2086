'use strict';
// The whole sample adventure of a fresh `quenlo-cli new` project, played from
// its cover to its success page in any browser that Game drives: verb menus,
// dialogs, a save to slot 1 and its load, a save into the page address and
// its load, a reload, the failure page and its undo.
const assert = require('node:assert/strict');
const path = require('node:path');
const { Game } = require('./game');

function includes(text, part) {
    assert.ok(text.includes(part), `expected "${part}" in:\n${text}`);
}

function excludes(text, part) {
    assert.ok(!text.includes(part), `did not expect "${part}" in:\n${text}`);
}

// The whole sample adventure, from the cover to the success page.
async function playSample(context, url, shots) {
    const game = await Game.open(context, url);
    const page = game.page;

    // Cover page.
    let text = await game.record();
    includes(text, 'Il faro spento');
    includes(text, 'Una breve avventura per imparare a scrivere con Quenlo.');
    includes(text, "Inizia l'avventura");
    includes(text, 'Carica una partita salvata');
    if (shots) await page.screenshot({ path: path.join(shots, 'cover.png'), fullPage: true });

    // Both introduction screens, then the start room.
    assert.deepEqual(await game.touch("Inizia l'avventura"), []);
    text = await game.record();
    includes(text, 'È una notte di tempesta sulla costa.');
    includes(text, 'Continua');
    await game.touch('Continua');
    text = await game.record();
    includes(text, 'Quando riapri gli occhi');
    await game.touch('Continua');
    text = await game.record();
    includes(text, 'Sei in una stanza buia e umida');
    includes(text, 'Qui vedi un mantello di lana.');
    includes(text, 'Non porti niente con te.');
    includes(text, 'aiuto');
    includes(text, 'Completamento: 0%');

    // The help page and back.
    await game.touch('aiuto');
    text = await game.record();
    includes(text, 'COME SI GIOCA');
    await game.touch('Torna al gioco');
    includes(await game.record(), 'Sei in una stanza buia e umida');

    // A verb menu; examining the chest reveals the key, once.
    const menu = await game.touch('baule');
    assert.deepEqual(menu.map((s) => s.trim()), ['esamina']);
    if (shots) await page.screenshot({ path: path.join(shots, 'room-with-menu.png'), fullPage: true });
    await game.pick('esamina');
    assert.equal(await game.dialog(),
        'Un vecchio baule di legno, con il coperchio mezzo marcio. Sul fondo, fra la polvere, trovi una piccola chiave!');
    await game.next();
    includes(await game.record(), 'Qui vedi una piccola chiave, un mantello di lana.');
    await game.act('baule', 'esamina');
    assert.equal(await game.dialog(), 'Un vecchio baule di legno, con il coperchio mezzo marcio.');
    await game.next();

    // Take, wear, take off, leave.
    await game.act('una piccola chiave', 'prendi');
    text = await game.record();
    includes(text, 'Porti con te una piccola chiave.');
    includes(text, 'Completamento: 25%');
    await game.act('un mantello di lana', 'indossa');
    includes(await game.record(), 'Porti con te una piccola chiave e indossi un mantello di lana.');
    await game.act('un mantello di lana', 'togli');
    includes(await game.record(), 'Porti con te una piccola chiave, un mantello di lana.');
    await game.act('un mantello di lana', 'lascia');
    text = await game.record();
    includes(text, 'Qui vedi un mantello di lana.');
    includes(text, 'Porti con te una piccola chiave.');
    await game.act('un mantello di lana', 'indossa');
    includes(await game.record(), 'Porti con te una piccola chiave e indossi un mantello di lana.');

    // An exit to the garden, with its appended text.
    await game.act('porta', 'esci');
    text = await game.record();
    includes(text, 'Sei in un piccolo giardino cintato');
    includes(text, 'Un gabbiano grida sopra la tua testa.');
    includes(text, 'Qui vedi una lanterna a olio.');

    // A dialog of two screens.
    await game.act('cancello', 'spingi');
    assert.deepEqual(await game.dialogScreens(), [
        'Spingi il cancello con tutte le tue forze...',
        '...ma la serratura tiene: è chiuso a chiave.',
    ]);
    text = await game.record();
    includes(text, 'Il vento porta l\'odore del mare.');

    // An author's verb with a sub-menu.
    await game.touch('cancello');
    assert.deepEqual((await game.open('scuoti')).map((s) => s.trim()), ['piano', 'con forza']);
    await game.pick('piano');
    assert.equal(await game.dialog(), 'Il cancello cigola appena.');
    await game.next();

    // Save to slot 1, move on, load it back.
    assert.deepEqual((await game.touch('salva')).map((s) => s.trim()), ['1# vuoto', '2# vuoto', '3# vuoto', '4# URL']);
    await game.pick('1# vuoto');
    assert.equal(await game.dialog(), 'Partita salvata.');
    await game.next();
    await game.touch('cancello');
    assert.deepEqual((await game.open('usa con')).map((s) => s.trim()), ['chiave', 'mantello', 'te stesso']);
    await game.pick('chiave');
    assert.equal(await game.dialog(), 'La chiave gira a fatica nella serratura. Con un lungo cigolio il cancello si apre!');
    await game.next();
    text = await game.record();
    includes(text, 'ora è aperto');
    includes(text, 'Completamento: 50%');
    excludes(text, 'chiave');
    await game.touch('carica');
    await game.pick('1# usato');
    assert.equal(await game.dialog(), 'Partita caricata.');
    await game.next();
    text = await game.record();
    includes(text, 'sbarra il sentiero');
    includes(text, 'Porti con te una piccola chiave e indossi un mantello di lana.');
    await game.act('cancello', 'usa con', 'chiave');
    await game.dialogScreens();
    await game.act('una lanterna a olio', 'prendi');
    text = await game.record();
    includes(text, 'Completamento: 75%');
    includes(text, 'Porti con te una lanterna a olio e indossi un mantello di lana.');

    // Save into the page address; the page opens it.
    await game.touch('salva');
    await game.pick('4# URL');
    assert.equal(await game.dialog(),
        "Partita salvata nell'indirizzo della pagina: aggiungila ai preferiti per ritrovarla.");
    await game.next();
    assert.match(page.url(), /\?P=[0-9a-fIX]+$/);
    includes(await game.record(), 'ora è aperto');

    // Move on, then load the address back.
    await game.act('sentiero', 'vai');
    text = await game.record();
    includes(text, 'Il sentiero sale tra i cespugli di mirto');
    includes(text, 'Il vecchio guarda la tua lanterna e annuisce.');
    await game.touch('carica');
    await game.pick('4# URL');
    assert.equal(await game.dialog(), 'Partita caricata.');
    await game.next();
    includes(await game.record(), 'Sei in un piccolo giardino cintato');

    // A reload keeps the game where it was.
    await game.act('sentiero', 'vai');
    await game.reload();
    includes(await game.record(), 'Il sentiero sale tra i cespugli di mirto');

    // Talking.
    await game.act('vecchio', 'parla con');
    assert.equal(await game.dialog(),
        '"Il faro è spento da anni", dice il vecchio. "Le barche non trovano più la via del porto. Se hai una luce, portala lassù."');
    await game.next();
    await game.act('vecchio', 'parla con');
    await game.dialog();
    await game.next();

    // The dialog room at the top of the lighthouse shows its description only.
    await game.act('faro', 'sali');
    text = await game.record();
    includes(text, 'Sei in cima al faro.');
    excludes(text, 'Porti con te');
    excludes(text, 'Qui vedi');

    // The failure page, and undo.
    await game.act('ringhiera', 'scavalca');
    includes(await game.dialog(), 'Una raffica di vento ti fa perdere l\'equilibrio!');
    await game.next();
    text = await game.record();
    includes(text, 'Hai perso...');
    includes(text, 'Avevi completato il 75% dell\'avventura.');
    includes(text, "Annulla l'ultima mossa");
    await game.touch("Annulla l'ultima mossa");
    includes(await game.record(), 'Sei in cima al faro.');

    // The success page.
    await game.act('lampada', 'usa con', 'lanterna');
    assert.deepEqual(await game.dialogScreens(), [
        'Avvicini la fiamma della lanterna allo stoppino della grande lampada...',
        '...e la luce del faro torna a splendere sul mare!',
    ]);
    text = await game.record();
    includes(text, 'Hai vinto!');
    includes(text, 'Hai riacceso il faro!');
    assert.match(text, /Ci sei riuscito in \d+ mosse\./);

    // The game is over: a new start shows the cover again.
    await game.touch("Inizia l'avventura");
    includes(await game.record(), 'Una breve avventura per imparare a scrivere con Quenlo.');

    assert.deepEqual(game.errors, []);
    await page.close();
    return game.transcript;
}

module.exports = { playSample };
