#pragma once
// Identifiers of the main window's controls, commands and resources. Shared
// by the C++ sources, the resource script and the end-to-end test host, so
// plain macros.

// Controls of TMForm (GetDlgItem(form, id)).
#define IDC_BEXPORTAR    101
#define IDC_BIMPORTAR    102
#define IDC_DIRECTORIOS  103
#define IDC_UNIDADES     104
#define IDC_BUTTON1      105
#define IDC_BCLOSE       106
// Its texts: static controls that paint nothing but their text.
#define IDC_TITULO_EXPORTAR 111
#define IDC_TITULO_IMPORTAR 112
#define IDC_CARPETA_TEXTO   113
#define IDC_RUTA_TEXTO      114
#define IDC_RUTA            115
#define IDC_VERSION         116
// The label of Unidades for assistive technology: no size, never seen.
#define IDC_UNIDADES_TEXTO  117

// The message dialog and its controls.
#define IDD_MENSAJE      301
#define IDC_MENSAJE_ICONO 302
#define IDC_MENSAJE_TEXTO 303
// Its button is IDOK; a question also has IDCANCEL.

// The report dialog after a run with warnings, and its controls. Its button
// is IDOK.
#define IDD_INFORME          311
#define IDC_INFORME_CABECERA 312
#define IDC_INFORME_AVISOS   313
#define IDC_INFORME_RUTA     314

// The dialog of the copies the exports kept, and its controls. Its buttons
// are IDOK ("Restaurar") and IDCANCEL.
#define IDD_RESTAURAR        321
#define IDC_RESTAURAR_TEXTO  322
#define IDC_RESTAURAR_LISTA  323

// The item of the window's system menu that opens IDD_RESTAURAR (below
// 0xF000, its low four bits clear, as system menu commands are).
#define IDM_RESTAURAR        0x0110

// Resources.
#define IDI_APLICACION   1
#define IDI_ACEPTAR      11
#define IDI_ACEPTAR_GRIS 12
#define IDI_CERRAR       13
#define IDI_CERRAR_GRIS  14
#define IDI_CARPETA      15
#define IDI_CARPETA_ABIERTA 16
#define IDI_UNIDAD       17

// Window class of the main window, as the host and the tests find it.
#define TVZ_FORM_CLASS   L"TMForm"
