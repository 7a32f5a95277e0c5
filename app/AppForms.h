// The windows of the program, as the entry creates them (in this order): the main window,
// the transfer window, the settings window, the page scraper and the HTML-to-PDF export
// window. Each is null until created; the windows reach each other through these.
#pragma once

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TCustomForm;

extern TForm1* Form1;
extern TForm2* Form2;
extern TForm3* Form3;
extern TForm4* Form4;
// The export window lives in the export library, above this one; the main window only
// shows it.
extern TCustomForm* MainForm;
