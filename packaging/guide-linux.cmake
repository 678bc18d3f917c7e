# The Linux packages' words for the organiser's guide packaging/NAVOD.txt: the packages,
# a terminal, ~/turnaje. cmake/guide.cmake fills them in.
set(GUIDE_CONSOLE [=[v terminalu]=])
set(GUIDE_INSTALL [=[1. INSTALACE
------------

Debian a Ubuntu: balicek nainstalujte prikazem

    sudo apt install ./turnaj_1.0.0_amd64.deb

Programy jsou pak v /usr/bin a spusti se v kazde slozce; tento navod
a ukazkovy turnaj (31 hracu, slozka examples) jsou ve slozce
/usr/share/doc/turnaj.

Jiny Linux: archiv rozbalte do slozky /opt

    sudo tar xzf turnaj-1.0.0-Linux.tar.gz -C /opt

a pridejte /opt/turnaj-1.0.0-Linux/bin do promenne PATH (radek
export PATH=$PATH:/opt/turnaj-1.0.0-Linux/bin na konec souboru ~/.profile,
pak se odhlasit a prihlasit). Navod a ukazkovy turnaj jsou ve slozce
/opt/turnaj-1.0.0-Linux/share/doc/turnaj.

Programy nepotrebuji zadne dalsi knihovny.]=])
set(GUIDE_FOLDER [=[Pro kazdy turnaj zalozte novou prazdnou slozku, napr. ~/turnaje/brno2026,
a programy spoustejte v terminalu v teto slozce:

    mkdir -p ~/turnaje/brno2026
    cd ~/turnaje/brno2026

Do slozky, kam se programy nainstalovaly, zapisovat nelze: ukazkovy turnaj
si proto nejdriv zkopirujte do slozky vlastni:

    cp -r /usr/share/doc/turnaj/examples ~/turnaje/priklad]=])
set(GUIDE_EDITOR [=[v textovem editoru]=])
set(GUIDE_SAMPLE [=[examples]=])
set(GUIDE_START [=[Vyzvy a upozorneni jsou v terminalu zlute, ostatni text v barve, kterou
ma terminal nastavenou (cte se tedy na svetlem i tmavem pozadi). Kdo barvy
nechce, spusti programy s promennou NO_COLOR (napr. NO_COLOR=1 zadej 4,
nebo export NO_COLOR=1): pak programy nevypisuji zadne barvy ani nemazou
obrazovku. Jmena s diakritikou terminal ukaze, kdyz pracuje v UTF-8 (tak je
nastavena vetsina systemu); jinak misto pismen s diakritikou ukaze otazniky.
V souborech se nic nemeni.]=])
set(GUIDE_PROMPT [=[~/turnaje/brno2026$ ]=])
set(GUIDE_STOP [=[Ctrl+C ukonci jen bezici program.]=])
set(GUIDE_COPY_BACK [=[cp zaloha/partie4-1.txt partie4.txt]=])
set(GUIDE_WEB_INDEX [=[web/index.html]=])
set(GUIDE_PASSWORD_FILE [=[/home/jana/heslo.txt]=])
set(GUIDE_UPLOAD_RECORD [=[web/nahrano.txt]=])
set(GUIDE_BACKUP [=[Napriklad (cestu k USB disku ukaze spravce souboru):

    cp -r ~/turnaje/brno2026 /media/usb/brno2026-kolo4]=])
