#include "app/AppForms.h"

TForm1* Form1 = nullptr;
TForm2* Form2 = nullptr;
TForm3* Form3 = nullptr;
TForm4* Form4 = nullptr;
TCustomForm* MainForm = nullptr;
