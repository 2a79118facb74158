<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nb_NO">
<context>
    <name>ChannelAdder</name>
    <message>
        <source>Nothing is playing. Tune to a channel first, then add it to My Channels.</source>
        <translation>Ingenting spilles. Still inn en kanal først, og legg den så til i Mine kanaler.</translation>
    </message>
</context>
<context>
    <name>ChannelListView</name>
    <message>
        <source>Channels</source>
        <translation>Kanaler</translation>
    </message>
</context>
<context>
    <name>ChannelListWriter</name>
    <message>
        <source>Added to My Channels as channel %1; the list is now saved as UTF-8, as Windows-1252 cannot hold the new name.</source>
        <translation>Lagt til i Mine kanaler som kanal %1; listen lagres nå som UTF-8, fordi Windows-1252 ikke kan romme det nye navnet.</translation>
    </message>
    <message>
        <source>Added to My Channels as channel %1.</source>
        <translation>Lagt til i Mine kanaler som kanal %1.</translation>
    </message>
    <message>
        <source>This channel has no address that the list can hold.</source>
        <translation>Denne kanalen har ingen adresse som listen kan romme.</translation>
    </message>
    <message>
        <source>The channel&apos;s address is longer than %1 characters, more than the list can hold.</source>
        <translation>Kanalens adresse er lengre enn %1 tegn, mer enn listen kan romme.</translation>
    </message>
    <message>
        <source>My Channels is full: it holds %L1 channels, the most it can list.</source>
        <translation>Mine kanaler er full: den har %L1 kanaler, så mange den kan vise.</translation>
    </message>
    <message>
        <source>This channel is already in My Channels as channel %1, &quot;%2&quot;.</source>
        <translation>Denne kanalen er allerede i Mine kanaler som kanal %1, «%2».</translation>
    </message>
    <message>
        <source>Mine Kanaler.ini could not be saved (%1); the list is unchanged.</source>
        <translation>Mine Kanaler.ini kunne ikke lagres (%1); listen er uendret.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>A small internet radio player. Plays LOCATION when one is given; a player already running plays it instead, and this start ends.</source>
        <translation>En liten nettradiospiller. Spiller LOCATION når den er oppgitt; kjører en spiller allerede, spiller den LOCATION i stedet, og denne starten avsluttes.</translation>
    </message>
    <message>
        <source>A stream&apos;s URL, or an audio file or playlist.</source>
        <translation>URL-en til en strøm, eller en lydfil eller spilleliste.</translation>
    </message>
    <message>
        <source>Try --help.</source>
        <translation>Prøv --help.</translation>
    </message>
    <message>
        <source>%1 cannot be played: only files and http, https, mms, rtsp and rtmp streams can.</source>
        <translation>%1 kan ikke spilles av: bare filer og strømmer over http, https, mms, rtsp og rtmp kan det.</translation>
    </message>
    <message>
        <source>%1: no such file.</source>
        <translation>%1: filen finnes ikke.</translation>
    </message>
</context>
<context>
    <name>DirectoryClient</name>
    <message>
        <source>The station directory sent a web page instead of stations.</source>
        <translation>Stasjonskatalogen sendte en nettside i stedet for stasjoner.</translation>
    </message>
    <message>
        <source>The station directory&apos;s answer is not readable (%1 at byte %2).</source>
        <translation>Svaret fra stasjonskatalogen kan ikke leses (%1 ved byte %2).</translation>
    </message>
    <message>
        <source>The station directory answered with something other than a list of stations.</source>
        <translation>Stasjonskatalogen svarte med noe annet enn en liste over stasjoner.</translation>
    </message>
    <message>
        <source>The station directory&apos;s answer was larger than %1 KiB and was dropped.</source>
        <translation>Svaret fra stasjonskatalogen var større enn %1 KiB og ble forkastet.</translation>
    </message>
    <message>
        <source>The station directory did not answer within %1 s.</source>
        <translation>Stasjonskatalogen svarte ikke innen %1 s.</translation>
    </message>
    <message>
        <source>The request was cancelled.</source>
        <translation>Forespørselen ble avbrutt.</translation>
    </message>
    <message>
        <source>The station directory could not be reached: %1.</source>
        <translation>Fikk ikke kontakt med stasjonskatalogen: %1.</translation>
    </message>
    <message>
        <source>The station directory answered with HTTP error %1.</source>
        <translation>Stasjonskatalogen svarte med HTTP-feil %1.</translation>
    </message>
</context>
<context>
    <name>DropHandler</name>
    <message>
        <source>“%1”</source>
        <translation>«%1»</translation>
    </message>
    <message>
        <source>%1 is a folder, not a file. It was handed to the player as it is.</source>
        <translation>%1 er en mappe, ikke en fil. Den ble gitt til spilleren som den er.</translation>
    </message>
    <message>
        <source>%1 has no file extension, so it is not known what it holds. It was handed to the player as it is.</source>
        <translation>%1 har ingen filendelse, så det er ukjent hva den inneholder. Den ble gitt til spilleren som den er.</translation>
    </message>
    <message>
        <source>The dropped channel list was not installed; your channel list is unchanged.</source>
        <translation>Kanallisten du slapp, ble ikke installert; kanallisten din er uendret.</translation>
    </message>
    <message>
        <source>The channel list was installed, but the dropped file could not be removed from its folder.</source>
        <translation>Kanallisten ble installert, men filen du slapp, kunne ikke fjernes fra mappen sin.</translation>
    </message>
    <message>
        <source>Only files can be dropped here, and the dropped item is not a file. Drop an audio file, a playlist or a channel list named “Mine Kanaler.ini”.</source>
        <translation>Bare filer kan slippes her, og det du slapp, er ikke en fil. Slipp en lydfil, en spilleliste eller en kanalliste med navnet «Mine Kanaler.ini».</translation>
    </message>
</context>
<context>
    <name>HistoryDatabase</name>
    <message>
        <source>The song history cannot be written in %1, so it is paused.</source>
        <translation>Sanghistorikken kan ikke skrives i %1, så den er satt på pause.</translation>
    </message>
    <message>
        <source>The song history %1 is damaged and could not be moved aside, so it is paused.</source>
        <translation>Sanghistorikken %1 er skadet og kunne ikke flyttes til side, så den er satt på pause.</translation>
    </message>
    <message>
        <source>The song history was damaged. It was moved aside as %1 and a new one started.</source>
        <translation>Sanghistorikken var skadet. Den ble flyttet til side som %1, og en ny ble startet.</translation>
    </message>
    <message>
        <source>The song history %1 cannot be opened, so it is paused.</source>
        <translation>Sanghistorikken %1 kan ikke åpnes, så den er satt på pause.</translation>
    </message>
    <message>
        <source>The song history could not be written (%1), so it is paused until the next start. Playback goes on.</source>
        <translation>Sanghistorikken kunne ikke skrives (%1), så den er satt på pause til neste oppstart. Avspillingen fortsetter.</translation>
    </message>
    <message>
        <source>Song history</source>
        <translation>Sanghistorikk</translation>
    </message>
</context>
<context>
    <name>HistoryModel</name>
    <message>
        <source>Today</source>
        <translation>I dag</translation>
    </message>
    <message>
        <source>Yesterday</source>
        <translation>I går</translation>
    </message>
    <message>
        <source>dddd d MMMM yyyy</source>
        <comment>a day&apos;s heading</comment>
        <translation>dddd d. MMMM yyyy</translation>
    </message>
    <message>
        <source>d MMM yyyy HH:mm:ss</source>
        <comment>when a song started</comment>
        <translation>d. MMM yyyy HH:mm:ss</translation>
    </message>
    <message>
        <source>%1
%2 to %3 on %4
%5</source>
        <translation>%1
%2 til %3 på %4
%5</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Tid</translation>
    </message>
    <message>
        <source>Artist</source>
        <translation>Artist</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Tittel</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
    </message>
</context>
<context>
    <name>HistoryWindow</name>
    <message>
        <source>Play channel</source>
        <translation>Spill kanalen</translation>
    </message>
    <message>
        <source>Search the web</source>
        <translation>Søk på nettet</translation>
    </message>
    <message>
        <source>Star</source>
        <translation>Stjernemerk</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Slett</translation>
    </message>
    <message>
        <source>Export…</source>
        <translation>Eksporter…</translation>
    </message>
    <message>
        <source>Clear all…</source>
        <translation>Tøm alt…</translation>
    </message>
    <message>
        <source>Song history</source>
        <translation>Sanghistorikk</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historikk</translation>
    </message>
    <message>
        <source>Starred</source>
        <translation>Stjernemerket</translation>
    </message>
    <message>
        <source>Filter by artist, title or channel</source>
        <translation>Filtrer på artist, tittel eller kanal</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopier</translation>
    </message>
    <message>
        <source>The song history is paused.</source>
        <translation>Sanghistorikken er satt på pause.</translation>
    </message>
    <message>
        <source>Unstar</source>
        <translation>Fjern stjerne</translation>
    </message>
    <message>
        <source>Copied: %1</source>
        <translation>Kopiert: %1</translation>
    </message>
    <message>
        <source>Copied %1 songs.</source>
        <translation>Kopierte %1 sanger.</translation>
    </message>
    <message>
        <source>%1 songs</source>
        <translation>%1 sanger</translation>
    </message>
    <message>
        <source>Starred: %1</source>
        <translation>Stjernemerket: %1</translation>
    </message>
    <message>
        <source>Unstarred: %1</source>
        <translation>Stjerne fjernet: %1</translation>
    </message>
    <message>
        <source>Searching the web for %1</source>
        <translation>Søker på nettet etter %1</translation>
    </message>
    <message>
        <source>No web browser could be opened.</source>
        <translation>Ingen nettleser kunne åpnes.</translation>
    </message>
    <message>
        <source>Playing %1</source>
        <translation>Spiller %1</translation>
    </message>
    <message>
        <source>Deleted one song.</source>
        <translation>Slettet én sang.</translation>
    </message>
    <message>
        <source>Deleted %1 songs.</source>
        <translation>Slettet %1 sanger.</translation>
    </message>
    <message>
        <source>Forget every song in the history, the starred ones too?</source>
        <translation>Vil du glemme alle sangene i historikken, også de stjernemerkede?</translation>
    </message>
    <message>
        <source>The history is empty.</source>
        <translation>Historikken er tom.</translation>
    </message>
    <message>
        <source>Export starred songs</source>
        <translation>Eksporter stjernemerkede sanger</translation>
    </message>
    <message>
        <source>Export song history</source>
        <translation>Eksporter sanghistorikken</translation>
    </message>
    <message>
        <source>Starred songs.csv</source>
        <translation>Stjernemerkede sanger.csv</translation>
    </message>
    <message>
        <source>Song history.csv</source>
        <translation>Sanghistorikk.csv</translation>
    </message>
    <message>
        <source>CSV files (*.csv)|*.csv|All files (*.*)|*.*|</source>
        <translation>CSV-filer (*.csv)|*.csv|Alle filer (*.*)|*.*|</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>Lagret %1</translation>
    </message>
    <message>
        <source>Not saved: %1</source>
        <translation>Ikke lagret: %1</translation>
    </message>
</context>
<context>
    <name>InfoItems</name>
    <message>
        <source>Copyright © 2026 Morvena Webradio contributors</source>
        <translation>Opphavsrett © 2026 bidragsyterne til Morvena Webradio</translation>
    </message>
    <message>
        <source>Made by the Morvena Webradio project; see its README for the source code.</source>
        <translation>Laget av Morvena Webradio-prosjektet; se README-filen der for kildekoden.</translation>
    </message>
    <message>
        <source>Morvena Webradio is created with Qt and libmpv.</source>
        <translation>Morvena Webradio er laget med Qt og libmpv.</translation>
    </message>
    <message>
        <source>About..</source>
        <translation>Om..</translation>
    </message>
</context>
<context>
    <name>LocalFileOperations</name>
    <message>
        <source>%1 could not be read (%2).</source>
        <translation>%1 kunne ikke leses (%2).</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>det er en mappe</translation>
    </message>
    <message>
        <source>%1 could not be written (%2).</source>
        <translation>%1 kunne ikke skrives (%2).</translation>
    </message>
    <message>
        <source>%1 could not be read to the end (%2).</source>
        <translation>%1 kunne ikke leses helt (%2).</translation>
    </message>
    <message>
        <source>%1 could not be deleted (%2).</source>
        <translation>%1 kunne ikke slettes (%2).</translation>
    </message>
</context>
<context>
    <name>LocalMedia</name>
    <message>
        <source>Open playlist with audio</source>
        <translation>Åpne spilleliste med lyd</translation>
    </message>
    <message>
        <source>Audio|*.mp3;*.ogg;*.wma;*.m3u;*.wpl;*.asx;*.wax|</source>
        <translation>Lyd|*.mp3;*.ogg;*.wma;*.m3u;*.wpl;*.asx;*.wax|</translation>
    </message>
</context>
<context>
    <name>MainSkin</name>
    <message>
        <source>Menu</source>
        <translation>Meny</translation>
    </message>
    <message>
        <source>To tray</source>
        <translation>Til systemkurven</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Avslutt</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Fortsett</translation>
    </message>
    <message>
        <source>Preset 1</source>
        <translation>Forvalg 1</translation>
    </message>
    <message>
        <source>Preset 2</source>
        <translation>Forvalg 2</translation>
    </message>
    <message>
        <source>Preset 3</source>
        <translation>Forvalg 3</translation>
    </message>
    <message>
        <source>Preset 4</source>
        <translation>Forvalg 4</translation>
    </message>
    <message>
        <source>Preset 5</source>
        <translation>Forvalg 5</translation>
    </message>
    <message>
        <source>Preset 6</source>
        <translation>Forvalg 6</translation>
    </message>
    <message>
        <source>Preset 7</source>
        <translation>Forvalg 7</translation>
    </message>
    <message>
        <source>Preset N1</source>
        <translation>Forvalg N1</translation>
    </message>
    <message>
        <source>Preset N2</source>
        <translation>Forvalg N2</translation>
    </message>
</context>
<context>
    <name>MpvMediaPlayer</name>
    <message>
        <source>The playlist lists nothing to play</source>
        <translation>Spillelisten har ingenting å spille av</translation>
    </message>
    <message>
        <source>This address cannot be played: only files and http, https, mms, rtsp and rtmp streams can</source>
        <translation>Denne adressen kan ikke spilles av: bare filer og strømmer over http, https, mms, rtsp og rtmp kan det</translation>
    </message>
</context>
<context>
    <name>Playback</name>
    <message>
        <source>Buffering… %1 %</source>
        <translation>Bufrer… %1 %</translation>
    </message>
    <message>
        <source>Reconnecting in %1 s…</source>
        <translation>Kobler til på nytt om %1 s…</translation>
    </message>
    <message>
        <source>Reconnecting…</source>
        <translation>Kobler til på nytt…</translation>
    </message>
    <message>
        <source>Connecting…</source>
        <translation>Kobler til…</translation>
    </message>
    <message>
        <source>Played to the end</source>
        <translation>Spilt til slutten</translation>
    </message>
    <message>
        <source>No title from the station</source>
        <translation>Ingen tittel fra stasjonen</translation>
    </message>
</context>
<context>
    <name>PlayerSnapshot</name>
    <message>
        <source>no channel selected</source>
        <translation>ingen kanal valgt</translation>
    </message>
    <message>
        <source>Pause...</source>
        <translation>Pause...</translation>
    </message>
</context>
<context>
    <name>PlayerState</name>
    <message>
        <source>no stream</source>
        <translation>ingen strøm</translation>
    </message>
    <message>
        <source>channel is on-air</source>
        <translation>kanalen er på lufta</translation>
    </message>
</context>
<context>
    <name>PlaylistFetcher</name>
    <message>
        <source>The playlist could not be read: %1</source>
        <translation>Spillelisten kunne ikke leses: %1</translation>
    </message>
</context>
<context>
    <name>Presets</name>
    <message>
        <source>Preset %1 is empty. Hold 2 s to store the playing channel</source>
        <translation>Forvalg %1 er tomt. Hold inne i 2 s for å lagre kanalen som spilles</translation>
    </message>
    <message>
        <source>Preset %1 is empty</source>
        <translation>Forvalg %1 er tomt</translation>
    </message>
    <message>
        <source>Stored on %1</source>
        <translation>Lagret på %1</translation>
    </message>
</context>
<context>
    <name>QtCommonDialogBackend</name>
    <message>
        <source>Open as &amp;read-only</source>
        <translation>Åpne &amp;skrivebeskyttet</translation>
    </message>
    <message>
        <source>Size must be between %1 and %2 points.</source>
        <translation>Størrelsen må være mellom %1 og %2 punkter.</translation>
    </message>
</context>
<context>
    <name>Recorder</name>
    <message>
        <source>Recording</source>
        <translation>Tar opp</translation>
    </message>
    <message>
        <source>Recording stopped: the stream&apos;s format is not known.</source>
        <translation>Opptaket stoppet: strømmens format er ukjent.</translation>
    </message>
    <message>
        <source>Recording stopped: streams in this format (%1) cannot be recorded.</source>
        <translation>Opptaket stoppet: strømmer i dette formatet (%1) kan ikke tas opp.</translation>
    </message>
    <message>
        <source>Recording stopped: the folder &quot;%1&quot; cannot be written to.</source>
        <translation>Opptaket stoppet: det kan ikke skrives til mappen «%1».</translation>
    </message>
    <message>
        <source>Recording stopped: the song could not be written to &quot;%1&quot; (the disk may be full).</source>
        <translation>Opptaket stoppet: sangen kunne ikke skrives til «%1» (disken kan være full).</translation>
    </message>
</context>
<context>
    <name>SleepTimer</name>
    <message>
        <source>Sleep in %L1 min</source>
        <translation>Pause om %L1 min</translation>
    </message>
    <message>
        <source>Sleep in 0:%1</source>
        <translation>Pause om 0:%1</translation>
    </message>
    <message>
        <source>Sleep timer off</source>
        <translation>Sovetimer av</translation>
    </message>
    <message>
        <source>Sleep</source>
        <translation>Sovetimer</translation>
    </message>
    <message>
        <source>Pause after how many minutes?</source>
        <translation>Pause etter hvor mange minutter?</translation>
    </message>
</context>
<context>
    <name>StationSearchDialog</name>
    <message>
        <source>Search</source>
        <translation>Søk</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Spill</translation>
    </message>
    <message>
        <source>Add to My Channels</source>
        <translation>Legg til i Mine kanaler</translation>
    </message>
    <message>
        <source>Store on preset</source>
        <translation>Lagre på forvalg</translation>
    </message>
    <message>
        <source>Find stations</source>
        <translation>Finn stasjoner</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Navn</translation>
    </message>
    <message>
        <source>Tag, e.g. jazz</source>
        <translation>Emneord, f.eks. jazz</translation>
    </message>
    <message>
        <source>Country: NO</source>
        <translation>Land: NO</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>Land</translation>
    </message>
    <message>
        <source>Codec</source>
        <translation>Kodek</translation>
    </message>
    <message>
        <source>Playing %1.</source>
        <translation>Spiller %1.</translation>
    </message>
    <message>
        <source>%1 is stored on preset %2.</source>
        <translation>%1 er lagret på forvalg %2.</translation>
    </message>
    <message>
        <source>Search by name, tag or country code; the most played stations come first.</source>
        <translation>Søk på navn, emneord eller landkode; de mest spilte stasjonene kommer først.</translation>
    </message>
    <message>
        <source>Searching…</source>
        <translation>Søker…</translation>
    </message>
    <message>
        <source>No stations found.</source>
        <translation>Fant ingen stasjoner.</translation>
    </message>
    <message numerus="yes">
        <source>%n station(s), the most played first.</source>
        <translation>
            <numerusform>%n stasjon.</numerusform>
            <numerusform>%n stasjoner, de mest spilte først.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>StatusDisplay</name>
    <message>
        <source>0 kbps (0,00kB/s) - 0%</source>
        <translation>0 kbps (0,00kB/s) - 0%</translation>
    </message>
</context>
<context>
    <name>StreamPolicy</name>
    <message>
        <source>Connection refused</source>
        <translation>Tilkoblingen ble avvist</translation>
    </message>
    <message>
        <source>Server not found: check the address</source>
        <translation>Fant ikke serveren: sjekk adressen</translation>
    </message>
    <message>
        <source>The server did not answer</source>
        <translation>Serveren svarte ikke</translation>
    </message>
    <message>
        <source>The station asks for a password (HTTP 401)</source>
        <translation>Stasjonen krever passord (HTTP 401)</translation>
    </message>
    <message>
        <source>Access denied (HTTP 403)</source>
        <translation>Ingen tilgang (HTTP 403)</translation>
    </message>
    <message>
        <source>Station not found (HTTP 404)</source>
        <translation>Fant ikke stasjonen (HTTP 404)</translation>
    </message>
    <message>
        <source>Station gone (HTTP 410)</source>
        <translation>Stasjonen finnes ikke lenger (HTTP 410)</translation>
    </message>
    <message>
        <source>The server answered HTTP %1</source>
        <translation>Serveren svarte HTTP %1</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Fant ikke filen</translation>
    </message>
    <message>
        <source>The file cannot be read</source>
        <translation>Filen kan ikke leses</translation>
    </message>
    <message>
        <source>The server closed the connection</source>
        <translation>Serveren lukket forbindelsen</translation>
    </message>
    <message>
        <source>Too many redirects</source>
        <translation>For mange videresendinger</translation>
    </message>
    <message>
        <source>The stream did not come back (%1)</source>
        <translation>Strømmen kom ikke tilbake (%1)</translation>
    </message>
    <message>
        <source>No audio arrived within %1 s</source>
        <translation>Ingen lyd kom i løpet av %1 s</translation>
    </message>
    <message>
        <source>Not an audio stream</source>
        <translation>Ikke en lydstrøm</translation>
    </message>
    <message>
        <source>Secure connection failed: certificate not trusted</source>
        <translation>Sikker tilkobling mislyktes: sertifikatet er ikke klarert</translation>
    </message>
    <message>
        <source>Secure connection failed</source>
        <translation>Sikker tilkobling mislyktes</translation>
    </message>
    <message>
        <source>The stream could not be played</source>
        <translation>Strømmen kunne ikke spilles av</translation>
    </message>
</context>
<context>
    <name>Transport</name>
    <message>
        <source>Continue (%1)</source>
        <translation>Fortsett (%1)</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Fortsett</translation>
    </message>
</context>
<context>
    <name>Volume</name>
    <message>
        <source>Volume %1 %</source>
        <translation>Volum %1 %</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>My Channels</source>
        <translation>Mine kanaler</translation>
    </message>
    <message>
        <source>¦ Edit Channels</source>
        <translation>¦ Rediger kanaler</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Innstillinger</translation>
    </message>
    <message>
        <source>Always on top</source>
        <translation>Alltid øverst</translation>
    </message>
    <message>
        <source>Always</source>
        <translation>Alltid</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Information View</source>
        <translation>Informasjonsvisning</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nei</translation>
    </message>
    <message>
        <source>Export Mine Kanaler.ini</source>
        <translation>Eksporter Mine Kanaler.ini</translation>
    </message>
    <message>
        <source>About..</source>
        <translation>Om..</translation>
    </message>
    <message>
        <source>Find stations…</source>
        <translation>Finn stasjoner…</translation>
    </message>
    <message>
        <source>Add to My Channels</source>
        <translation>Legg til i Mine kanaler</translation>
    </message>
    <message>
        <source>What&apos;s On?</source>
        <translation>Hva spilles nå?</translation>
    </message>
    <message>
        <source>Stop Radio</source>
        <translation>Stopp radioen</translation>
    </message>
    <message>
        <source>Star This Song	*</source>
        <translation>Stjernemerk denne sangen	*</translation>
    </message>
    <message>
        <source>Song History…	H</source>
        <translation>Sanghistorikk…	H</translation>
    </message>
    <message>
        <source>Starred Songs…</source>
        <translation>Stjernemerkede sanger…</translation>
    </message>
    <message>
        <source>Record	R</source>
        <translation>Ta opp	R</translation>
    </message>
    <message>
        <source>Sleep</source>
        <translation>Sovetimer</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Av</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n minutt</numerusform>
            <numerusform>%n minutter</numerusform>
        </translation>
    </message>
    <message>
        <source>Other time…	Z</source>
        <translation>Annen tid…	Z</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Starred: %1</source>
        <translation>Stjernemerket: %1</translation>
    </message>
    <message>
        <source>No song to star</source>
        <translation>Ingen sang å stjernemerke</translation>
    </message>
    <message>
        <source>History paused: not starred</source>
        <translation>Historikken er satt på pause: ikke stjernemerket</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Opptak</translation>
    </message>
</context>
<context>
    <name>mnuFunk</name>
    <message>
        <source>Playlist &lt;..&gt;</source>
        <translation>Spilleliste &lt;..&gt;</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Fortsett</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
</context>
</TS>
