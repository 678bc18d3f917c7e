# The Windows zip's words for the organiser's guide packaging/NAVOD.txt: the zip, cmd and
# Explorer, C:\Turnaje. cmake/guide.cmake fills them in.
set(GUIDE_CONSOLE [=[v prikazovem radku (cmd)]=])
set(GUIDE_INSTALL [=[1. ROZBALENI
------------

Archiv turnaj-...-win64.zip rozbalte (pravym tlacitkem "Extrahovat vse...").
Ve slozce jsou:

    prevod.exe, los.exe, zadej.exe, poradi.exe, rekordy.exe,  programy
    stranky.exe
    NAVOD.txt                                                 tento navod
    priklad\                                                  ukazkovy turnaj
                                                              (31 hracu)

Programy nic neinstaluji a nepotrebuji zadne dalsi soubory ani knihovny.

Programy nejsou digitalne podepsane. Windows proto pri prvnim spusteni muze
ukazat okno "System Windows ochranil vas pocitac": kliknete na "Dalsi
informace" a pak na "Presto spustit". Stazeny archiv lze tez pred
rozbalenim odblokovat: pravym tlacitkem, Vlastnosti, zaskrtnout
"Odblokovat", OK. Kdyz antivirovy program nektery .exe zastavi nebo
presune do karanteny, obnovte ho z karanteny a pridejte slozku s programy
mezi vyjimky antiviru.]=])
set(GUIDE_FOLDER [=[Pro kazdy turnaj zalozte novou prazdnou slozku, napr. C:\Turnaje\Brno2026,
a zkopirujte do ni sest souboru .exe. Kdo je chce mit jen jednou, napr. ve
slozce C:\Turnaje\programy, prida tuto slozku do promenne PATH: v nabidce
Start napiste promenne, vyberte "Upravit promenne prostredi pro vas ucet",
u promenne Path kliknete na "Upravit", pak na "Novy", napiste
C:\Turnaje\programy a vse potvrdte OK. Programy pak jdou spustit v kazdem
nove otevrenem prikazovem radku.]=])
set(GUIDE_EDITOR [=[v Poznamkovem bloku]=])
set(GUIDE_SAMPLE [=[priklad\]=])
set(GUIDE_START [=[Prikazovy radek ve slozce turnaje otevrete takto: v Pruzkumniku otevrete
slozku, kliknete do adresniho radku, napiste cmd a stisknete Enter.
Program ve slozce turnaje lze spustit i dvojklikem v Pruzkumniku: los, zadej
a poradi se zeptaji na cislo kola a okno se na konci zavre az po stisku
Enter:

  Konec programu, stisknete enter]=])
set(GUIDE_PROMPT [=[C:\Turnaje\Brno2026>]=])
set(GUIDE_STOP [=[Ctrl+C nebo Ctrl+Break ukonci jen bezici program, okno prikazoveho radku
zustane.]=])
set(GUIDE_COPY_BACK [=[copy zaloha\partie4-1.txt partie4.txt]=])
set(GUIDE_WEB_INDEX [=[web\index.html]=])
set(GUIDE_PASSWORD_FILE [=[C:\Users\Jana\heslo.txt]=])
set(GUIDE_UPLOAD_RECORD [=[web\nahrano.txt]=])
set(GUIDE_BACKUP [=[V Pruzkumniku: pravym tlacitkem na slozku turnaje Kopirovat, na USB disku
pravym tlacitkem Vlozit a kopii prejmenovat.]=])
