// The stylesheet. Colours meet WCAG 2.1 AA contrast in both schemes (text at least 4.5:1 on
// every background it stands on); wide tables scroll inside their own box, never the page.
#include "stylesheet.hpp"

std::string_view stylesheet() {
    return R"(:root {
  --pozadi: #ffffff; --text: #1a1a1a; --odkaz: #0b57d0; --linka: #c8ccd2; --pruh: #f2f4f7;
  --hlava: #0d3b66; --hlava-text: #ffffff; --pozor: #fff4ce; --pozor-text: #1a1a1a; --pozor-okraj: #8a6d00;
}
@media (prefers-color-scheme: dark) {
  :root {
    --pozadi: #121212; --text: #e8e8e8; --odkaz: #8ab4f8; --linka: #3c4043; --pruh: #1e1f22;
    --hlava: #1b2a3a; --hlava-text: #e8e8e8; --pozor: #3a3000; --pozor-text: #fff0b3; --pozor-okraj: #d4b000;
  }
}
*, *::before, *::after { box-sizing: border-box; }
body {
  margin: 0; font-family: system-ui, -apple-system, "Segoe UI", Roboto, sans-serif; font-size: 1rem;
  line-height: 1.5; background: var(--pozadi); color: var(--text); overflow-wrap: break-word;
}
a { color: var(--odkaz); }
header { background: var(--hlava); color: var(--hlava-text); padding: 0.5rem 1rem; }
header a { color: var(--hlava-text); }
.menu { list-style: none; margin: 0; padding: 0; display: flex; flex-wrap: wrap; gap: 0.25rem 1rem; }
.menu.kolo { margin: 0.5rem 0 1rem; }
.menu a[aria-current="page"] { font-weight: bold; text-decoration: none; }
main { max-width: 64rem; margin: 0 auto; padding: 0 1rem 2rem; }
h1 { font-size: 1.5rem; line-height: 1.25; }
h2 { font-size: 1.25rem; margin-top: 1.5rem; }
.posun { max-width: 100%; overflow-x: auto; margin: 0.5rem 0 1rem; }
table { border-collapse: collapse; }
caption { text-align: left; font-weight: bold; padding: 0.25rem 0; }
th, td { padding: 0.25rem 0.5rem; border-bottom: 1px solid var(--linka); text-align: left; vertical-align: top; }
thead th { border-bottom: 2px solid var(--text); white-space: nowrap; }
tbody tr:nth-child(even) { background: var(--pruh); }
th[scope="row"] { font-weight: normal; }
.cislo, .skore { text-align: right; white-space: nowrap; }
.chybi { font-style: italic; }
.pozor { background: var(--pozor); color: var(--pozor-text); padding: 0.5rem 1rem; border-left: 4px solid var(--pozor-okraj); }
.soucet { font-weight: bold; }
.udaje dt, .legenda dt { font-weight: bold; }
.udaje dd { margin: 0 0 0.5rem; }
.legenda dd { margin: 0 0 0.5rem 1rem; }
@media print {
  @page { size: A4; margin: 12mm; }
  header, nav, .legenda, .pozor { display: none; }
  body { background: #ffffff; color: #000000; font-size: 14pt; }
  main { max-width: none; padding: 0; }
  .los { font-size: 18pt; width: 100%; }
  .posun { overflow: visible; }
  a { color: #000000; text-decoration: none; }
  tbody tr:nth-child(even) { background: none; }
  th, td { border-bottom: 1px solid #000000; }
  thead th { border-bottom: 2px solid #000000; }
  tr { page-break-inside: avoid; }
}
)";
}
