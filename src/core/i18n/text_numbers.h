#pragma once
// The text numbers by name. Every text a window shows or a procedure carries
// is fetched by its number (TextLookup::gettext); code names the number
// here rather than spelling it. Grouped by range like the English table; the
// English text follows where the name does not already say it.

namespace kestrel {

// The numbers in use are the English table's (englishTexts()); every walk
// over all texts walks that table. A translator's file may hold any of them
// and no other. They lie in these ranges:
struct TextNumberRange {
    int first;
    int last;
    const char* holds;
};
inline constexpr TextNumberRange kTextNumberRanges[] = {
    {100, 1600, "the texts every window and procedure has carried from the start"},
    {2000, 2499, "the windows' menus, dialogs, messages, units and tooltips"},
    {2500, 2599, "the localization editor's own texts"},
    {2600, 2649, "the help viewers' messages"},
    {2650, 2699, "the procedure preview's texts"},
    {2700, 2749, "the compare window's texts"},
    {2750, 2799, "the calibrator coverage's texts"},
    {2800, 2849, "saving, batches and warnings about files"},
    {2900, 2949, "announcements and the compare window's navigation"},
    {2950, 2999, "the review report"},
    {3040, 3059, "the specification grid as a screen reader hears it"},
};

// 100-101: the main window's tabs.
inline constexpr int kTextTabDmms = 100;   // "&DMM's"
inline constexpr int kTextTabScopes = 101; // "&Scopes"

// 200-273: pages, options, procedure comments, dialog buttons and titles.
inline constexpr int kTextTabSpecifications = 200; // "Specifications"
inline constexpr int kTextTabConnection = 201;     // "Connection"
inline constexpr int kTextTabOptions = 202;        // "Options/Misc"
inline constexpr int kTextPictureLabel = 210;      // "Picture"
inline constexpr int kTextTextLabel = 211;         // "Text"
inline constexpr int kTextCalStandard = 212;
inline constexpr int kTextExamples = 213;
inline constexpr int kTextAddFunctionMessages = 214; // "When necessary, add FUNCTION messages"
inline constexpr int kTextPictureOption = 216;       // "&Picture"
inline constexpr int kTextTextOption = 217;          // "&Text"
inline constexpr int kTextProcedureName = 218;
inline constexpr int kTextAuthor = 219;
inline constexpr int kTextRevision = 220;
inline constexpr int kTextAdjThreshold = 221;
inline constexpr int kTextTestPercentage = 222;
inline constexpr int kTextPostTestWindow = 224;
inline constexpr int kTextShowOnFailure = 225;
inline constexpr int kTextShowAlways = 226;
inline constexpr int kTextShowNever = 227;
inline constexpr int kTextTurCheckingOn = 228;
inline constexpr int kTextEnableButtons = 229;
inline constexpr int kTextOperatorList = 230;   // "&List"
inline constexpr int kTextOperatorCancel = 231; // "&Cancel"
inline constexpr int kTextOperatorRepeat = 232; // "&Repeat"
inline constexpr int kTextDataEntry = 233;
inline constexpr int kTextDataEntrySlew = 234;          // "Sle&w"
inline constexpr int kTextDataEntryKeyboard = 235;      // "&Keyboard"
inline constexpr int kTextDataEntryGoNoGo = 236;        // "&Go-No-Go"
inline constexpr int kTextMeasurementUncertainty = 237; // "Measurement Uncertanity"
inline constexpr int kTextEnabled = 238;
inline constexpr int kTextNumberOfMeasurements = 239; // "# Measurements"
inline constexpr int kTextConfidence = 240;
inline constexpr int kTextCoverage = 241;
inline constexpr int kTextDcVoltsTest = 242;
inline constexpr int kTextAcVoltsTest = 243;
inline constexpr int kTextDcCurrentTest = 244;
inline constexpr int kTextAcCurrentTest = 245;
inline constexpr int kTextResistanceTest = 246;
inline constexpr int kTextCapacitanceTest = 247;
inline constexpr int kTextTcTest = 248;  // "Temperature TC Test"
inline constexpr int kTextRtdTest = 249; // "Temperature RTD Test"
inline constexpr int kTextFrequencyTest = 250;
inline constexpr int kTextNoAutoModeMessages = 251;  // "Turn off automatic mode messages"
inline constexpr int kTextNoAutoRangeMessages = 252; // "Turn off automatic range messages"
inline constexpr int kTextProcedureBanner = 253;     // "P R O C E D U R E"
inline constexpr int kTextCompletedBanner = 254;     // "C O M P L E T E D"
inline constexpr int kTextAnd = 255;
inline constexpr int kTextBetween = 256;
inline constexpr int kTextPlusMinus = 257; // "±"
inline constexpr int kTextHelpFile = 258;
inline constexpr int kTextFind = 259;
inline constexpr int kTextFindAgain = 260; // "Fine Again"
inline constexpr int kTextCopyToClipboard = 261;
inline constexpr int kTextOk = 262;
inline constexpr int kTextCancel = 263;
inline constexpr int kTextWarning = 264;
inline constexpr int kTextLocalizerTitle = 265; // "Kestrel Localizer"
inline constexpr int kTextSaveLocalization = 266;
inline constexpr int kTextPrintLocalization = 267;
inline constexpr int kTextError = 268;          // "Error:"
inline constexpr int kTextUses7625 = 269;       // "Procedure is written to use the configured 7625A."
inline constexpr int kTextBasedOnOrvik62 = 270; // "This procedure is based on specifications for the Orvik model 62"
inline constexpr int kTextBasedOnOrvik28 = 271; // "This procedure is based on specifications for the Orvik model 28"
inline constexpr int kTextBasedOnOrvik4919 =
    272; // "This procedure is based on specifications for the Orvik model 4919"
inline constexpr int kTextBasedOnAgilent34401 =
    273; // "This procedure is based on specifications for the Agilent model 34401"

// 1061-1083: function tabs and the row labels of the meter specification grid.
inline constexpr int kTextFunctionDcv = 1061;         // "dcv"
inline constexpr int kTextFunctionAcv = 1062;         // "acv"
inline constexpr int kTextFunctionDci = 1063;         // "dci"
inline constexpr int kTextFunctionAci = 1064;         // "aci"
inline constexpr int kTextFunctionOhms = 1065;        // "Ohms"
inline constexpr int kTextFunctionTc = 1066;          // "TC"
inline constexpr int kTextFunctionRtd = 1067;         // "RTD"
inline constexpr int kTextFunctionCapacitance = 1068; // "Capacitance"
inline constexpr int kTextFunctionFrequency = 1069;   // "Frequency"
inline constexpr int kTextUutRange = 1070;
inline constexpr int kTextPercentOfReading = 1071; // "% of Reading"
inline constexpr int kTextPercentOfRange = 1072;   // "% of Range"
inline constexpr int kTextPpmOfReading = 1073;     // "PPM Reading"
inline constexpr int kTextPpmOfRange = 1074;       // "PPM Range"
inline constexpr int kTextFixedTerm = 1075;        // "±Volts"
inline constexpr int kTextComments = 1080;         // "Comments..."
inline constexpr int kTextFrequencyHz = 1081;      // "Frequency - Hz"
inline constexpr int kTextDigits = 1083;           // "±Digits"

// 1201-1287: scope labels, menu entries, grid commands, limit messages, the wizard and the viewers.
inline constexpr int kTextInputZ = 1201;
inline constexpr int kTextInputCap = 1202;
inline constexpr int kTextSensitivity = 1203;
inline constexpr int kTextGainAccuracy = 1204;
inline constexpr int kTextTimebaseAccuracy = 1205;
inline constexpr int kTextSweepSpeed = 1206;
inline constexpr int kTextVoltsPerDiv = 1208; // "Volts/Div"
inline constexpr int kTextBandwidth = 1210;
inline constexpr int kTextRisetimeLabel = 1211; // "Risetime"
inline constexpr int kTextTo = 1212;
inline constexpr int kTextNumberOfTests = 1213; // "# Tests"
inline constexpr int kTextUnits = 1214;
inline constexpr int kTextUut = 1215;
inline constexpr int kTextMaxSize = 1216;
inline constexpr int kTextName = 1217;
inline constexpr int kTextUpDown = 1218; // "Up/Down"
inline constexpr int kTextAccType = 1219;
inline constexpr int kTextCannotDisplayPicture = 1221; // "Unable to display picture"
inline constexpr int kTextStudentsT = 1222;
inline constexpr int kTextCreate = 1223;
inline constexpr int kTextDisplayLocalText = 1224;
inline constexpr int kTextDisplayEnglishText = 1225;
inline constexpr int kTextAboutKestrel = 1226;
inline constexpr int kTextCopyColumn = 1227;
inline constexpr int kTextMultiplyBy10 = 1228; // "Multiply X 10"
inline constexpr int kTextInsertColumn = 1229;
inline constexpr int kTextDeleteColumn = 1230; // "Delete Current Column"
inline constexpr int kTextClearSpecification = 1231;
inline constexpr int kTextBoostAmp = 1232;
inline constexpr int kTextEditLocalization = 1233;             // "Edit Localization Text"
inline constexpr int kTextAlwaysOnTop = 1234;                  // "Always On-Top"
inline constexpr int kTextWelchSatterthwaite = 1235;           // "Welch-Satterthwaite "
inline constexpr int kTextSelfTestOption = 1237;               // "Self test"
inline constexpr int kTextSignalPathCompensationOption = 1238; // "Signal Path Compensation"
inline constexpr int kTextCheckInputImpedance = 1239;
inline constexpr int kTextTcType = 1240;
inline constexpr int kTextRtdType = 1241;
inline constexpr int kTextTempScale = 1242;
inline constexpr int kTextEnterConnectionText = 1243;
inline constexpr int kTextEnterChannelConnectionText = 1244; // "Enter channel <X> connection text."
inline constexpr int kTextFixedVolts = 1245;                 // "±Volts"
inline constexpr int kTextFixedAmps = 1246;                  // "±Amps"
inline constexpr int kTextFixedOhms = 1247;                  // "±Ohms"
inline constexpr int kTextFixedDegrees = 1248;               // "±Degrees"
inline constexpr int kTextFixedFarads = 1249;                // "±Farads"
inline constexpr int kTextFixedHertz = 1250;                 // "±Hertz"
inline constexpr int kTextVoltageReduced = 1251;     // "Voltage reduced from <1> volts to <2> volts due to <3> limits"
inline constexpr int kTextFrequencyChanged = 1252;   // "Frequency changed from <1>hz to <2>hz due to <3> limits"
inline constexpr int kTextCurrentReduced = 1253;     // "Current reduced from <1>A to <2>A due to <3> limits"
inline constexpr int kTextPromptsAndMessages = 1254; // "Prompts && Messages"
inline constexpr int kTextTestLevel = 1255;
inline constexpr int kTextWizardPic = 1256;                 // "PIC"
inline constexpr int kTextWizardDisp = 1257;                // "DISP"
inline constexpr int kTextWizardBoth = 1258;                // "Both"
inline constexpr int kTextWizardClear = 1259;               // "Clear"
inline constexpr int kTextInstructionsAndConnection = 1260; // "Instructions & Connection"
inline constexpr int kTextClearCurrentMode = 1261;
inline constexpr int kTextClearAll = 1262;
inline constexpr int kTextClearLocalization = 1263;
inline constexpr int kTextReallyDeleteLocalization = 1264; // "Really Delete Localization file?"
inline constexpr int kTextDisplayStringNumbers = 1265;
inline constexpr int kTextVersion = 1266;
inline constexpr int kTextProgramDescription = 1267;       // "Procedure Development Software"
inline constexpr int kTextSaveChangesBeforeExiting = 1268; // "Save changes before exiting?"
inline constexpr int kTextUutHasAutoranging = 1269;
inline constexpr int kTextSetUutMode = 1270;          // "Set UUT mode to"
inline constexpr int kTextSetUutRange = 1271;         // "Set UUT range to"
inline constexpr int kTextDataEntryAllMethods = 1272; // "&All methods"
inline constexpr int kTextShowTolerance = 1273;
inline constexpr int kTextToleranceAsWritten = 1274;      // "As Written"
inline constexpr int kTextTolerancePlusMinusUnits = 1275; // "± Units"
inline constexpr int kTextPicDispWizard = 1276;
inline constexpr int kTextResistanceReduced = 1277;  // "Resistance reduced from <1>Z to <2>Z due to <3> limits"
inline constexpr int kTextCapacitanceReduced = 1278; // "Capacitance reduced from <1>f to <2>f due to <3> limits"
inline constexpr int kTextTemperatureReduced =
    1279;                                      // "Temperature reduced from <1> degrees to <2>degrees due to <3> limits"
inline constexpr int kTextSearchFailed = 1280; // "The Search Failed"
inline constexpr int kTextEnterSearchString = 1281;
inline constexpr int kTextKeywordHighlighting = 1282;
inline constexpr int kTextNominalSixDivisions = 1283; // "Nominal set for 6 division deflection"
inline constexpr int kTextVertical = 1284;
inline constexpr int kTextRisetimeHeading = 1285; // "Risetime"
inline constexpr int kTextHorizontal = 1286;
inline constexpr int kTextInputChannels = 1287;

// 1500-1581: scope frames, sample buttons, manual-test and scope procedure messages, Create's failure.
inline constexpr int kTextChannels = 1500;
inline constexpr int kTextVerticalGain = 1502;
inline constexpr int kTextBandwidthAndRisetime = 1503; // "Bandwidth & Risetime"
inline constexpr int kTextTimebase = 1504;
inline constexpr int kTextNumberOfChannels = 1505;             // "# Channels"
inline constexpr int kTextEnableWelchSatterthwaite = 1506;     // "Enable Welch-Satterthwaite"
inline constexpr int kTextKeyboardOnlyAboveZero = 1507;        // "(Keyboard Only if > 0)"
inline constexpr int kTextSampleOrvik62With7300 = 1508;        // "Specifications for Orvik 62 DMM using 7300A"
inline constexpr int kTextSampleOrvik62With6400 = 1509;        // "Specifications for Orvik 62 DMM using 6400"
inline constexpr int kTextSampleOrvik28 = 1510;                // "Specifications for Orvik 28 Thermometer"
inline constexpr int kTextSampleOrvik4919 = 1511;              // "Specifications for Orvik 4919 Ledgerbox"
inline constexpr int kTextSampleAgilent34401 = 1512;           // "Specification for Agilent 34401 Multimeter"
inline constexpr int kTextEnableMeasurementUncertainty = 1513; // "Enable Measurement Uncertanity & set # Measurements"
inline constexpr int kTextManualTestsNote =
    1514; // "Note: The following tests are performed manually <cr>as the <fsc> does not have that function"
inline constexpr int kTextSetCapacitanceStandards = 1515; // "Set the capacitance standards to <value>f"
inline constexpr int kTextDoesUutRead = 1516;
inline constexpr int kTextSetTemperatureStandards = 1517; // "Set the temperature standards to <Value>"
inline constexpr int kTextReferenceHelp = 1518;
inline constexpr int kTextAccuracyFile = 1519;
inline constexpr int kTextPerformTest = 1525;
inline constexpr int kTextClickForHelp = 1526;
inline constexpr int kTextWarmup = 1527;
inline constexpr int kTextBeSureUutWarmedUp = 1528; // "Be sure UUT is warmed up"
inline constexpr int kTextSelfTestHeading = 1529;   // "Self-Test"
inline constexpr int kTextPerformSelfTest = 1530;   // "Perform Self-test"
inline constexpr int kTextDidSelfTestPass = 1531;   // "Did self-test pass"
inline constexpr int kTextSignalPathCompensation = 1532;
inline constexpr int kTextSignalPathCompensationPerformed = 1533;
inline constexpr int kTextResetStandard = 1534;
inline constexpr int kTextTriggerTest = 1535;
inline constexpr int kTextSystemFlags = 1536;
inline constexpr int kTextAdjustStableDisplay = 1537; // "Adjust the scope for a stable display"
inline constexpr int kTextChannel = 1538;
inline constexpr int kTextScopeProcedureTitle = 1539;         // "Scope Procedure by Kestrel"
inline constexpr int kTextUseUnterminatedCoax = 1540;         // "Use an unterminated COAX cable to connect"
inline constexpr int kTextConnectChannel1ToUutChannel = 1541; // "<FSC> channel 1 to UUT channel  <channel>"
inline constexpr int kTextConnectToUutChannel = 1542;         // "<FSC> to UUT channel <channel>"
inline constexpr int kTextAlignTraceToBottom = 1543;          // "Align the trace to the bottom graticle line"
inline constexpr int kTextInsertTerminator = 1544;         // "Insert a 50 Ohm terminator between the <fsc> and the UUT"
inline constexpr int kTextSetChannel1Gain5mV = 1545;       // "Set channel 1 gain to 5mv/Div"
inline constexpr int kTextSetTimebase5us = 1546;           // "Set timebase to 5us/div"
inline constexpr int kTextAdjustStableDisplay50kHz = 1547; // "Adjust the scope for a stable display @ 50Khz"
inline constexpr int kTextAmplitudeAtBandwidthQuestion = 1548; // "Is the amplitude > 4.2 divisions @ <bandwidth> Mhz?"
inline constexpr int kTextSetCouplingDc = 1549;                // "Set coupling to DC"
inline constexpr int kTextSetFastestTimebase = 1550;           // "Set the timebase on its fastest position"
inline constexpr int kTextMagnifierOn = 1551;                  // "Turn the Magnifier ON"
inline constexpr int kTextTriggerSlopePlus = 1552;             // "Set trigger slope to +"
inline constexpr int kTextSetChannelGain5mV = 1553;            // "Set Channel <channel> to 5mv/div"
inline constexpr int kTextAdjustXPosition = 1554;              // "Adjust the x-position knob to view the leading edge"
inline constexpr int kTextUsingYPosition = 1555;               // "Using the Y-position knob"
inline constexpr int kTextBottomEdgeToZeroPercent = 1556;      // "set the bottom edge to the 0% point"
inline constexpr int kTextAdjustAmplitudeTop = 1557;           // "Adjust the amplitude so the top of "
inline constexpr int kTextWaveformAt100Percent = 1558;         // "waveform is on the 100% point"
inline constexpr int kTextRisetimeQuestion = 1559;             // "Is channel <channel> risetime <<risetime> ns"
inline constexpr int kTextInputImpedanceChannel = 1560;        // "Input Impedance Channel <channel>"
inline constexpr int kTextImpedance1M = 1561;                  // "1M Ohm Impedance"
inline constexpr int kTextImpedance50 = 1562;                  // "50 Ohm Impedance"
inline constexpr int kTextInputCapacitance = 1563;
inline constexpr int kTextTimebaseTest = 1564;          // "Timebase Base Test"
inline constexpr int kTextSetChannel1Gain500mV = 1565;  // "Set Channel 1 gain to 0.5v/Div"
inline constexpr int kTextSetTimebase50us = 1566;       // "Set timebase to 50us/Div"
inline constexpr int kTextTimebaseStableDisplay = 1567; // "Adjust the scope for a stable display"
inline constexpr int kTextAdjustYPosToMarker = 1568;    // "Adjust the Ypos so the top of the marker"
inline constexpr int kTextMarkerOnMiddleLine = 1569;    // "is on the middle horizontal graticule line"
inline constexpr int kTextClickMe = 1570;
inline constexpr int kTextConnectFourChannelsFrom = 1571;  // "Connect channels 1 to 4 of the <fsc> to "
inline constexpr int kTextConnectTwoChannelsFrom = 1572;   // "Connect channels 1 and 2 of the <fsc> to "
inline constexpr int kTextConnectOneChannelFrom = 1573;    // "Connect channel 1 of the <fsc> to "
inline constexpr int kTextUutChannels1To4 = 1574;          // "channels 1 to 4 of the UUT"
inline constexpr int kTextUutChannels1And2 = 1575;         // "channels 1 and 2 of the UUT"
inline constexpr int kTextSetUut50Ohm = 1576;              // "Set UUT to 50 Ohm input"
inline constexpr int kTextRemoveTerminatorsSet1M = 1577;   // "Remove 50 ohm terminators and switch UUT to 1 MZ input"
inline constexpr int kTextSetUut1M = 1578;                 // "Set UUT to 1 MZ input"
inline constexpr int kTextCouldNotCreate = 1579;           // "Could not create the procedure."
inline constexpr int kTextEnterSpecificationsFirst = 1580; // "Be sure that specifications have been entered."
inline constexpr int kTextSetDegreesOfFreedom = 1581;

// 2000-2011: the main window's file and edit menu entries and its title.
inline constexpr int kTextMenuOpen = 2000;        // "&Open…"
inline constexpr int kTextMenuOpenRecent = 2001;  // "Open &Recent"
inline constexpr int kTextMenuClearRecent = 2002; // "&Clear List"
inline constexpr int kTextMenuSave = 2003;        // "&Save"
inline constexpr int kTextMenuSaveAs = 2004;      // "Save &As…"
inline constexpr int kTextMenuUndo = 2005;        // "&Undo"
inline constexpr int kTextMenuRedo = 2006;        // "Re&do"
inline constexpr int kTextMenuQuit = 2007;        // "&Quit"
inline constexpr int kTextMenuRecentFile = 2008;  // "&<1> <2>": a recent file's entry, its number and name
inline constexpr int kTextProgramName = 2010;     // "Kestrel": window and message box titles
inline constexpr int kTextFileTitle = 2011;       // "<1> - Kestrel", <1> the file's name

// 2020-2026: specification files.
inline constexpr int kTextOpenSpecification = 2020;
inline constexpr int kTextSaveSpecificationAs = 2021;
inline constexpr int kTextSpecificationFiles = 2022;         // "Kestrel specifications (*.kestrel.json)"
inline constexpr int kTextSaveChangesToSpecification = 2024; // "Save changes to the current specification?"
inline constexpr int kTextCouldNotSave = 2025;               // "Could not save <1>:", <1> the file
inline constexpr int kTextCouldNotOpen = 2026;               // "Could not open <1>:", <1> the file

// 2040-2049: message box buttons and the grid commands' questions.
inline constexpr int kTextYes = 2040;               // "&Yes"
inline constexpr int kTextNo = 2041;                // "&No"
inline constexpr int kTextReallyDeleteRange = 2042; // "Really delete the <1> <2> range?", range and unit word
inline constexpr int kTextReallyClearSpecification = 2043;
inline constexpr int kTextUnitWordVolts = 2044;   // "v": the unit words of that question
inline constexpr int kTextUnitWordAmps = 2045;    // "a"
inline constexpr int kTextUnitWordOhms = 2046;    // "ohms"
inline constexpr int kTextUnitWordDegrees = 2047; // "degrees"
inline constexpr int kTextUnitWordFarads = 2048;  // "farad"
inline constexpr int kTextUnitWordHertz = 2049;   // "hertz"

// 2050-2056: the connection wizard's caption: a range with its unit, by function.
inline constexpr int kTextRangeVolts = 2050;         // "<1>V", <1> the range as typed
inline constexpr int kTextRangeAmps = 2051;          // "<1>A"
inline constexpr int kTextRangeOhms = 2052;          // "<1> ohm"
inline constexpr int kTextRangeDegrees = 2053;       // "<1> degree"
inline constexpr int kTextRangeFarads = 2054;        // "<1> farad"
inline constexpr int kTextRangeHertz = 2055;         // "<1> hertz"
inline constexpr int kTextWizardRangeCaption = 2056; // "<1> <2> range", <1> text 1276, <2> the range

// 2060-2078: the grid's undo steps and its messages.
inline constexpr int kTextUndoEditCell = 2060;
inline constexpr int kTextUndoPaste = 2061;
inline constexpr int kTextUndoDelete = 2062;
inline constexpr int kTextUndoInsertColumn = 2063;
inline constexpr int kTextUndoDeleteColumn = 2064;
inline constexpr int kTextUndoCopyColumn = 2065;
inline constexpr int kTextUndoMultiplyColumn = 2066; // "Multiply column by 10"
inline constexpr int kTextUndoClearCurrentMode = 2067;
inline constexpr int kTextUndoClearAll = 2068;
inline constexpr int kTextUndoLoadSample = 2069;
inline constexpr int kTextUndoEditInstructions = 2070;
inline constexpr int kTextInvalidDataFormat = 2071;
inline constexpr int kTextPastedTextTooLong = 2072; // "The pasted text is <1> characters long; … more than <2>. …"
inline constexpr int kTextPastedCellTooLong = 2073; // the same "for <1>" (a cell), <2> and <3> the lengths
inline constexpr int kTextPasteOutsideTable = 2074; // "… they reach <1>. Nothing was pasted."
inline constexpr int kTextPasteRefused = 2075;      // "\"<1>\" cannot be entered in <2>. Nothing was pasted."
inline constexpr int kTextCellName = 2076;          // "<1>, column <2>", row label and column
inline constexpr int kTextRowName = 2077;           // "row <1>", for a row without a label
inline constexpr int kTextNextFieldOverwritten = 2078; // "The procedure's next field would be overwritten."

// 2080-2096: the DMM and Scopes pages: the samples and the units beside fields.
inline constexpr int kTextSampleOrvik2290 = 2080;        // "Specifications for Orvik 2290 Reference Multimeter"
inline constexpr int kTextSampleTestSet = 2081;          // "Test values for the generators"
inline constexpr int kTextSampleButton62With7300 = 2082; // "62 / 7300"
inline constexpr int kTextSampleButton62With6400 = 2083; // "62 / 6400"
inline constexpr int kTextSampleButton28 = 2084;
inline constexpr int kTextSampleButton4919 = 2085;
inline constexpr int kTextSampleButton34401 = 2086;
inline constexpr int kTextSampleButton2290 = 2087;
inline constexpr int kTextSampleButtonTest = 2088;  // "Test"
inline constexpr int kTextScopeHelp = 2089;         // "Help"
inline constexpr int kTextScopeAccuracy = 2090;     // "Acc"
inline constexpr int kTextPercentUnit = 2091;       // "%"
inline constexpr int kTextMegahertzUnit = 2092;     // "Mhz"
inline constexpr int kTextNanosecondUnit = 2093;    // "ns"
inline constexpr int kTextOneMegohmAccuracy = 2094; // "1 MΩ  ±"
inline constexpr int kTextFiftyOhmAccuracy = 2095;  // "50 Ω  ±"
inline constexpr int kTextPicofaradAccuracy = 2096; // "pF  ±"

// 2100-2107: names screen readers read, and the Connection page's columns.
inline constexpr int kTextUnitUnderTest = 2100;
inline constexpr int kTextMeterFunction = 2101;
inline constexpr int kTextMeterSpecification = 2102;
inline constexpr int kTextLeastSensitive = 2103;
inline constexpr int kTextSlowestSweepSpeed = 2104;
inline constexpr int kTextCapacitanceAccuracy = 2105; // "Input capacitance accuracy"
inline constexpr int kTextFunctionColumn = 2106;      // "Function"
inline constexpr int kTextColumnColumn = 2107;        // "Column"

// 2110-2121: Options/Misc and the saved settings.
inline constexpr int kTextCommentsRefused = 2110;   // "The comments cannot take this text: <1>.", <1> why
inline constexpr int kTextSavedValueDropped = 2120; // "The saved value of <1> in <2> <3>; its default is used instead."
inline constexpr int kTextValueSavedAsDefault = 2121; // "the value of <1> <2>; its default is saved instead"
inline constexpr int kTextSettingsReadInAnsi =
    2122; // "<1> is not UTF-8 text: it was read in the Windows code page <2>…"

// 2130-2142: the procedure viewer, the help and accuracy-file viewers, the About box.
inline constexpr int kTextSaveAsTooltip = 2130; // "Save As… (Ctrl+S)"
inline constexpr int kTextPrintTooltip = 2131;  // "Print… (Ctrl+P)"
inline constexpr int kTextSaveProcedureAs = 2132;
inline constexpr int kTextProcedureFiles = 2133;          // "Procedure files (*.txt)"
inline constexpr int kTextEnterSearchStringPrompt = 2134; // "Enter search string"
inline constexpr int kTextSearchFailedMessage = 2135;     // "The search failed"
inline constexpr int kTextHelpPaneTitle = 2136;           // "<1> Help", <1> the help file's name
inline constexpr int kTextCreditGenerators = 2140;        // "Specification grid and generators: the Kestrel team"
inline constexpr int kTextCreditScope = 2141;             // "Scope procedures: the Kestrel team"
inline constexpr int kTextCreditLocalization = 2142;      // "Localization: Kestrel's translators"

// 2150-2199: names and tips for keyboard and screen-reader users.
inline constexpr int kTextRisetimeTestName = 2150; // "Test risetime", the risetime check box
inline constexpr int kTextMenuButtonName = 2151;   // "Menu (F10)", the menu button
inline constexpr int kTextCommentsKeysTip = 2152;  // "Tab and Shift+Tab move …; Ctrl+Tab types a TAB."
// The panes' menu entries: their titles with an access key.
inline constexpr int kTextMenuPreview = 2153;  // "Procedure Pre&view"
inline constexpr int kTextMenuCoverage = 2154; // "Calibrator &Coverage"

// 2500-2599: the localization editor's own texts.
inline constexpr int kTextColumnNumber = 2500;      // "Number"
inline constexpr int kTextColumnEnglish = 2501;     // "English Text"
inline constexpr int kTextColumnLocal = 2502;       // "Local Text"
inline constexpr int kTextExportTooltip = 2503;     // "Export to a spreadsheet file (tab-separated)"
inline constexpr int kTextImportTooltip = 2504;     // "Import from a spreadsheet file (tab-separated)"
inline constexpr int kTextExportTitle = 2505;       // "Export Localization"
inline constexpr int kTextImportTitle = 2506;       // "Import Localization"
inline constexpr int kTextTabSeparatedFiles = 2507; // "Tab-separated text"
inline constexpr int kTextAllFilesName = 2508;      // "All files", a file filter's name
inline constexpr int kTextLocalTextTooLong = 2509;  // "A local text holds at most 128 characters."
inline constexpr int kTextRemoveLocalizationQuestion =
    2510; // "No local text is left. Delete the localization file ..."

// 2600-2649: the help viewers' own messages, <1> the FSC or the file.
inline constexpr int kTextNoHelpForFsc = 2600;   // "There is no help for <1>. Tessel's general help is shown."
inline constexpr int kTextNoHelpAtAll = 2601;    // "There is no help for <1>."
inline constexpr int kTextNoProgramOpens = 2602; // "No program on this computer opens <1>."

// 2650-2699: the procedure preview beside the pages.
inline constexpr int kTextProcedurePreview = 2650; // "Procedure Preview", the pane's title
inline constexpr int kTextPreviewStepTip = 2651;   // "Double-click a step, or press Enter on it, to show its column"

// 2700-2749: comparing the specification on show with another file.
inline constexpr int kTextMenuCompare = 2700;             // "Co&mpare with…"
inline constexpr int kTextCompareChooseTitle = 2701;      // "Compare with Specification"
inline constexpr int kTextCompareTitle = 2702;            // "<1> compared with <2>", <1> and <2> the files
inline constexpr int kTextCompareUnsaved = 2703;          // "(not saved)", the name of a specification without a file
inline constexpr int kTextCompareInput = 2704;            // "Input"
inline constexpr int kTextCompareBefore = 2705;           // "Before"
inline constexpr int kTextCompareAfter = 2706;            // "After"
inline constexpr int kTextCompareChanges = 2707;          // "Changed inputs: <1>"
inline constexpr int kTextCompareNoChanges = 2708;        // "The two specifications are the same."
inline constexpr int kTextCompareProcedureOf = 2709;      // "Procedure of <1>", a pane's name
inline constexpr int kTextCompareChangesTip = 2710;       // "Choose a changed cell to select it in the grid"
inline constexpr int kTextCompareClose = 2711;            // "&Close"
inline constexpr int kTextCompareProcedureChanges = 2712; // "Changed in the procedure: <1>", <1> a count of steps
inline constexpr int kTextCompareProceduresSame = 2713;   // "The two procedures are the same."
inline constexpr int kTextCompareRenumbered = 2714;       // "Steps <1> to <2> renumbered <3>", <3> the amount: "+1"
inline constexpr int kTextCompareRenumberedAs = 2715;     // "Steps <1> to <2> renumbered as <3> to <4>"
inline constexpr int kTextCompareChange = 2716;           // "Change", the heading of a change's kind
inline constexpr int kTextCompareValueChanged = 2717;     // "Changed"
inline constexpr int kTextCompareMoved = 2718;            // "Moved", a record to another column
inline constexpr int kTextCompareColumnInserted = 2719;   // "Column inserted"
inline constexpr int kTextCompareColumnRemoved = 2720;    // "Column removed"
inline constexpr int kTextCompareUnicodeForm = 2721;      // "Unicode form only (<1> to <2>)", <1> and <2> "NFC", "NFD"
inline constexpr int kTextCompareStepRenumbered = 2722;   // "Step <1> renumbered <2>"
inline constexpr int kTextCompareStepRenumberedAs = 2723; // "Step <1> renumbered as <2>"

// 2750-2799: what each meter standard's procedure does with the grid's
// test points; <1> is a standard's name where a text names one.
inline constexpr int kTextCalibratorCoverage = 2750;    // "Calibrator Coverage", the pane's title
inline constexpr int kTextCoverageStandard = 2751;      // "Standard", a column's heading
inline constexpr int kTextOutcomeAsSpecified = 2752;    // "As specified"
inline constexpr int kTextOutcomeReduced = 2753;        // "Reduced"
inline constexpr int kTextOutcomeManual = 2754;         // "Manual"
inline constexpr int kTextOutcomeLeftOut = 2755;        // "Left out"
inline constexpr int kTextCoverageChosen = 2756;        // "<1> (chosen)", the chosen standard's row as heard
inline constexpr int kTextCoverageTableTip = 2757;      // "Choose a row to choose that standard"
inline constexpr int kTextUndoChooseStandard = 2758;    // "Choose standard"
inline constexpr int kTextCoverageFailed = 2759;        // "<1>'s procedure ends in a failure; ..."
inline constexpr int kTextPointReducedNominal = 2760;   // <2> the limit, <3> what the step tests, <4> the grid's value
inline constexpr int kTextPointReducedFrequency = 2761; // the same for the frequency
inline constexpr int kTextPointNotSourced = 2762;       // manual: the standard has no such function
inline constexpr int kTextPointBelowTenOhms = 2763;     // manual: below 10 ohms
inline constexpr int kTextPointAfterEmptyRange = 2764;  // left out behind a column without UUT range
inline constexpr int kTextPointAfterFailure = 2765;     // left out after a failure

// 2800-2819: saving a specification file and the wizard's instruction; <1>
// is the specification-file reader's words ("connections[2].text: line 1
// is longer than 56 characters"), which stay English.
inline constexpr int kTextSaveWouldNotOpen = 2800;   // "The file would not open again...: <1>"
inline constexpr int kTextInstructionRefused = 2801; // "This text cannot be an instruction: <1>"
// 2820-2823: files read at start and on open that are used only in part;
// <1> names the file or the key paths.
inline constexpr int kTextConfigMissing = 2820;    // "Tessel's instrument configuration <1> does not exist; ..."
inline constexpr int kTextConfigNotAFile = 2821;   // "... <1> is not a file; ..."
inline constexpr int kTextConfigUnreadable = 2822; // "... <1> cannot be read (<2>); ...", <2> the system's reason
inline constexpr int kTextInstructionClash =
    2823; // "<1> and <2> are instructions for the same function and column ..."

// 2900-2949: what the window says happened (its status line) and the
// compare window's way from difference to difference.
inline constexpr int kTextCoverageCountHeard = 2900; // "<1>: <2>", a count as heard: its column's heading and the count
inline constexpr int kTextCoverageScopeNote = 2901;  // the coverage pane on the Scopes page
inline constexpr int kTextAnnounceCopied = 2902;     // "Procedure copied to the clipboard, <1> lines"
inline constexpr int kTextAnnouncePaneShown = 2903;  // "<1> shown", <1> a pane's title
inline constexpr int kTextAnnouncePaneHidden = 2904; // "<1> hidden"
inline constexpr int kTextStatusLine = 2905;         // "Status", the status line's accessible name
inline constexpr int kTextViewerProcedureText = 2906;        // "Procedure for the <1>", the viewer's text as heard
inline constexpr int kTextCompareNextDifference = 2907;      // "Next difference", a button and F7
inline constexpr int kTextComparePreviousDifference = 2908;  // "Previous difference", Shift+F7
inline constexpr int kTextCompareNoFurtherDifference = 2909; // "No further difference"
inline constexpr int kTextCompareDifferenceAt = 2910;        // "Difference <1> of <2>: step <3>"
// 2950-2987: the review report of kestrel-cli report (HTML), headings,
// labels and the sign-off fields.
inline constexpr int kTextReviewTitle = 2950;            // "Review report"
inline constexpr int kTextReviewBefore = 2951;           // "Before"
inline constexpr int kTextReviewAfter = 2952;            // "After"
inline constexpr int kTextReviewName = 2953;             // "Name"
inline constexpr int kTextReviewPath = 2954;             // "Path"
inline constexpr int kTextReviewSha256 = 2955;           // "SHA-256"
inline constexpr int kTextReviewSettings = 2956;         // "Settings"
inline constexpr int kTextReviewLocale = 2957;           // "Locale (LCID)"
inline constexpr int kTextReviewConfigDir = 2958;        // "Settings folder"
inline constexpr int kTextReviewDate = 2959;             // "Procedure date"
inline constexpr int kTextReviewSpecChanges = 2960;      // "Specification changes"
inline constexpr int kTextReviewNoChanges = 2961;        // "No changes."
inline constexpr int kTextReviewProcedureChanges = 2962; // "Procedure changes"
inline constexpr int kTextReviewCoverageBy = 2963;       // "Calibrator coverage by <1>"
inline constexpr int kTextReviewPrepared = 2964;         // "Prepared"
inline constexpr int kTextReviewReviewed = 2965;         // "Reviewed"
inline constexpr int kTextReviewApproved = 2966;         // "Approved"
inline constexpr int kTextReviewSignature = 2967;        // "Signature"
inline constexpr int kTextReviewSignDate = 2968;         // "Date"
inline constexpr int kTextReviewSummary = 2969;          // "Release summary"
inline constexpr int kTextReviewChanged = 2970;          // "Files changed"
inline constexpr int kTextReviewUnchanged = 2971;        // "Files unchanged"
inline constexpr int kTextReviewAdded = 2972;            // "Files added"
inline constexpr int kTextReviewRemoved = 2973;          // "Files removed"
inline constexpr int kTextReviewCoverageChanges = 2974;  // "Coverage changes"
inline constexpr int kTextReviewFile = 2975;             // "File"
inline constexpr int kTextReviewUnreadable = 2976;       // "Could not be read: <1>"
inline constexpr int kTextReviewNoCoverage = 2977;       // "The Scopes page has no calibrator coverage."
inline constexpr int kTextReviewAbsent = 2978;           // "(none)"
inline constexpr int kTextReviewLibraryBefore = 2979;    // "Library before"
inline constexpr int kTextReviewLibraryAfter = 2980;     // "Library after"
inline constexpr int kTextReviewStandard = 2981;         // "Standard"
inline constexpr int kTextReviewSignOff = 2982;          // "Sign-off"
inline constexpr int kTextReviewDefault = 2983;          // "(default)"
inline constexpr int kTextReviewFileAdded = 2984;        // "added"
inline constexpr int kTextReviewFileRemoved = 2985;      // "removed"
inline constexpr int kTextReviewFileChanged = 2986;      // "changed"
inline constexpr int kTextReviewChange = 2987;           // "Change"
// 2988-2994: the compare window's Export review.
inline constexpr int kTextExportReview = 2988;       // "&Export review...", a button and Ctrl+E
inline constexpr int kTextExportReviewTitle = 2989;  // "Export Review Report", the save dialog's title
inline constexpr int kTextReviewHtmlFiles = 2990;    // "HTML page (*.html)"
inline constexpr int kTextReviewPdfFiles = 2991;     // "PDF document (*.pdf)"
inline constexpr int kTextReviewNotWritten = 2992;   // "The review report was not written to <1>: <2>"
inline constexpr int kTextReviewNeedsFiles = 2993;   // "Save the specification first: ..."
inline constexpr int kTextReviewWritten = 2994;      // "Review report written to <1>", the status line
inline constexpr int kTextReviewWithFailures = 2995; // "The report ... names what could not be read: <1>"

// The grid as a screen reader hears it.
inline constexpr int kTextColumnNoInstruction = 3040;  // "Column <1>: no instruction"
inline constexpr int kTextColumnPicture = 3041;        // "Column <1>: PIC '<2>'"
inline constexpr int kTextColumnText = 3042;           // "Column <1>: DISP '<2>'"
inline constexpr int kTextColumnPictureAndText = 3043; // "Column <1>: PIC '<2>', DISP '<3>'"
inline constexpr int kTextBlankCell = 3044;            // "blank"
inline constexpr int kTextCellEditorName = 3045;       // "<1>, column <2>"

} // namespace kestrel
