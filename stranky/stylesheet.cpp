// The stylesheet. Colours meet WCAG 2.1 AA contrast in both schemes (text at least 4.5:1 on
// every background it stands on); wide tables scroll inside their own box, never the page.
#include "stylesheet.hpp"

std::string_view stylesheet() {
    return R"(:root {
  --pozadi: #ffffff; --text: #1a1a1a; --slabe: #4d5560; --odkaz: #0b57d0; --linka: #c8ccd2;
  --pruh: #f2f4f7; --hlava: #0d3b66; --hlava-text: #ffffff;
  --pozor: #fff4ce; --pozor-text: #1a1a1a; --pozor-okraj: #8a6d00; --misto: 3rem;
}
@media (prefers-color-scheme: dark) {
  :root {
    --pozadi: #121212; --text: #e8e8e8; --slabe: #b4bac2; --odkaz: #8ab4f8; --linka: #3c4043;
    --pruh: #1e1f22; --hlava: #1b2a3a; --hlava-text: #e8e8e8;
    --pozor: #3a3000; --pozor-text: #fff0b3; --pozor-okraj: #d4b000;
  }
}
*, *::before, *::after { box-sizing: border-box; }
body {
  margin: 0; font-family: system-ui, -apple-system, "Segoe UI", Roboto, sans-serif; font-size: 1rem;
  line-height: 1.5; background: var(--pozadi); color: var(--text); overflow-wrap: break-word;
}
a { color: var(--odkaz); }
.preskocit { position: absolute; left: 0.5rem; top: -3rem; padding: 0.5rem 1rem; background: var(--pozadi); z-index: 2; }
.preskocit:focus { top: 0.5rem; }
header { background: var(--hlava); color: var(--hlava-text); padding: 0.25rem 1rem 0.5rem; }
header a { color: var(--hlava-text); }
.turnaj { margin: 0.25rem 0; font-weight: bold; }
.turnaj a { display: inline-block; min-height: 1.5rem; }
.cas { font-weight: normal; font-size: 0.875rem; white-space: nowrap; margin-left: 0.5rem; }
.menu, .pismena, .velke { list-style: none; margin: 0; padding: 0; display: flex; flex-wrap: wrap; gap: 0.25rem 1rem; }
.menu a { display: inline-block; min-height: 1.75rem; padding: 0.125rem 0; }
.menu .kola a { min-width: 2rem; text-align: center; }
.menu.kolo { margin: 0.5rem 0 1rem; }
.menu a[aria-current="page"] { font-weight: bold; text-decoration: none; }
.pismena { gap: 0.25rem; margin: 0.5rem 0; }
.pismena a { display: inline-block; min-width: 2.25rem; min-height: 2.25rem; line-height: 2.25rem; text-align: center;
  border: 1px solid var(--linka); border-radius: 0.25rem; text-decoration: none; font-weight: bold; }
.velke { gap: 0.5rem; margin: 0.5rem 0; }
.velke a { display: inline-block; padding: 0.5rem 1rem; border: 2px solid var(--odkaz); border-radius: 0.375rem;
  font-weight: bold; text-decoration: none; }
.velke li:first-child a { background: var(--odkaz); color: var(--pozadi); }
main { max-width: 64rem; margin: 0 auto; padding: 0 1rem 2rem; }
main.siroka { max-width: none; }
h1 { font-size: 1.5rem; line-height: 1.25; margin: 1rem 0 0.5rem; }
h2 { font-size: 1.25rem; margin-top: 1.5rem; }
.ted { font-size: 1.125rem; margin: 0.5rem 0; }
.fakta { color: var(--slabe); }
.pozn { color: var(--slabe); white-space: nowrap; }
.posun { max-width: 100%; overflow-x: auto; margin: 0.5rem 0 1rem; }
table { border-collapse: collapse; }
caption { text-align: left; padding: 0.25rem 0; color: var(--slabe); }
th, td { padding: 0.25rem 0.5rem; border-bottom: 1px solid var(--linka); text-align: left; vertical-align: top; }
thead th { border-bottom: 2px solid var(--text); white-space: nowrap; }
tbody tr:nth-child(even) { background: var(--pruh); }
th[scope="row"] { font-weight: normal; }
tr:target { outline: 3px solid var(--odkaz); outline-offset: -3px; }
.cislo, .skore { text-align: right; white-space: nowrap; }
.chybi { font-style: italic; }
.pozor { background: var(--pozor); color: var(--pozor-text); padding: 0.5rem 1rem; border-left: 4px solid var(--pozor-okraj); }
.soucet { font-weight: bold; }
@media (min-width: 30rem) { .udaje { display: grid; grid-template-columns: auto 1fr; gap: 0.125rem 1rem; } }
.udaje dt, .legenda dt { font-weight: bold; }
.udaje dd { margin: 0; }
.legenda dd { margin: 0 0 0.5rem 1rem; }
.jen-tisk { display: none; }
.posouva { font-size: 0.875rem; color: var(--slabe); margin: 0.5rem 0 0; }
@media (min-width: 48rem) { .posouva.uzka { display: none; } }
.tabulka thead th:nth-child(n+3) { text-align: right; }
/* The card's numbers, by column: table, score, spread, points, place, rating, change. */
.karta tr > :nth-child(2), .karta tr > :nth-child(n+5):not(:nth-child(6)) { text-align: right; white-space: nowrap; }
/* In the standings and the cross table the place and the name stay while the rest scrolls. */
.poradi td:first-child, .tabulka td:first-child, .poradi thead th:first-child, .tabulka thead th:first-child {
  position: sticky; left: 0; min-width: var(--misto); width: var(--misto); background: var(--pozadi); z-index: 1;
}
.poradi th:nth-child(2), .tabulka th:nth-child(2) {
  position: sticky; left: var(--misto); background: var(--pozadi); z-index: 1; box-shadow: 2px 0 0 var(--linka);
}
.poradi tbody tr:nth-child(even) > :nth-child(-n+2), .tabulka tbody tr:nth-child(even) > :nth-child(-n+2) {
  background: var(--pruh);
}
@media (max-width: 40rem) {
  main { padding: 0 0.5rem 2rem; }
  header { padding: 0.25rem 0.5rem 0.5rem; }
  th, td { padding: 0.25rem 0.375rem; }
  td, th[scope="row"] { overflow-wrap: anywhere; }
  .poradi th[scope="row"], .tabulka th[scope="row"] { min-width: 8rem; max-width: 9rem; }
  /* The player's card: each round a block of its own, every value with its column's name
     (in the order of the card's columns). */
  .karta caption { display: block; }
  .karta thead { position: absolute; width: 1px; height: 1px; overflow: hidden; clip-path: inset(50%); }
  .karta, .karta tbody, .karta tr { display: block; }
  .karta tr { padding: 0.375rem 0; border-bottom: 1px solid var(--linka); }
  .karta th, .karta td { display: inline-block; border: 0; padding: 0 0.75rem 0 0; }
  .karta th[scope="row"] { font-weight: bold; }
  .karta td:empty { display: none; }
  .karta td::before { color: var(--slabe); }
  .karta td:nth-child(2)::before { content: "St\16F l "; }
  .karta td:nth-child(3)::before { content: "Soupe\159  "; }
  .karta td:nth-child(4)::before { content: "Za\10D . "; }
  .karta td:nth-child(5)::before { content: "Sk\F3 re "; }
  .karta td:nth-child(6)::before { content: "V\FD sledek "; }
  .karta td:nth-child(7)::before { content: "Rozd\ED l "; }
  .karta td:nth-child(8)::before { content: "Body "; }
  .karta td:nth-child(9)::before { content: "Po\159 . "; }
  .karta td:nth-child(10)::before { content: "S\ED la "; }
  .karta td:nth-child(11)::before { content: "Zm\11B na "; }
}
.projektor { font-size: 1.75rem; overflow: hidden; }
.projektor main { max-width: none; }
.projektor h1 { font-size: 2.5rem; }
.projektor h2 { font-size: 2rem; }
.adresa { font-size: 1.25rem; font-weight: bold; }
.projektor .adresa { font-size: 2.5rem; }
.projektor .jede { animation-name: projektor; animation-timing-function: linear; animation-fill-mode: both; }
@keyframes projektor { from { transform: translateY(0); } to { transform: translateY(min(0px, calc(100vh - 100%))); } }
@media (prefers-reduced-motion: reduce) { .projektor { overflow: auto; } .projektor .jede { animation: none; } }
@media print {
  @page { size: A4; margin: 16mm 12mm; @bottom-right { content: "Strana " counter(page) " z " counter(pages); } }
  header, nav, .preskocit, .legenda, .pozor, .posouva, .jen-obrazovka { display: none; }
  .jen-tisk { display: block; }
  body { background: #ffffff; color: #000000; font-size: 12pt; }
  main { max-width: none; padding: 0; }
  .posun { overflow: visible; }
  .los { font-size: 18pt; width: 100%; }
  .adresa { font-size: 20pt; }
  .poradi, .karta { font-size: 10pt; }
  .poradi th, .poradi td, .karta th, .karta td { padding: 2pt 4pt; }
  .los.jmena { font-size: 10pt; line-height: 1.3; }
  .los.jmena th, .los.jmena td { padding: 1pt 3pt; }
  .posun:has(.jmena) { columns: 2; column-gap: 8mm; }
  /* The rounds share the sheet's width, whatever the paper: every column stays on it. */
  .tabulka { font-size: 7pt; line-height: 1.3; table-layout: fixed; width: 100%; }
  .tabulka th, .tabulka td { padding: 1pt 1.5pt; overflow: hidden; min-width: 0; }
  .tabulka thead th:nth-child(1) { width: 2.5em; }
  .tabulka thead th:nth-child(2) { width: 13em; }
  .tabulka thead th:nth-child(3) { width: 3em; }
  .poradi td:first-child, .tabulka td:first-child, .poradi th, .tabulka th { position: static; box-shadow: none; }
  a { color: #000000; text-decoration: none; }
  tbody tr:nth-child(even), tbody tr:nth-child(even) > * { background: none; }
  th, td { border-bottom: 1px solid #000000; }
  thead th { border-bottom: 2px solid #000000; }
  tr { break-inside: avoid; }
}
)";
}
