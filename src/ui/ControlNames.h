#pragma once

#include <QString>

// The objectName of every control, exactly as the window's user and its tests
// know it, the strings with their accents. Members are named by what the
// control does.
namespace zelkor::name {

inline const QString kWindow = QStringLiteral("FormPrincipal");
inline const QString kTabs = QStringLiteral("SSTab1");

inline const QString kVariableGrid = QStringLiteral("MSFlexGrid1");
inline const QString kVariableUp = QStringLiteral("BotãoSetaAcima");
inline const QString kVariableDown = QStringLiteral("BotãoSetaAbaixo");
inline const QString kClearVariableList = QStringLiteral("BotãoApagaListaVariáveis");
inline const QString kRemoveVariable = QStringLiteral("BotãoRemover");
inline const QString kEditVariable = QStringLiteral("BotãoEditar");
inline const QString kClearVariableFields = QStringLiteral("BotãoLimpar");
inline const QString kIncludeVariable = QStringLiteral("BotãoSalvar");
inline const QString kEditableCheck = QStringLiteral("ChechEditável");
// Grupo, Texto, Unidade and Endereço: "Campo(0)" to "Campo(3)".
inline QString VariableField(int index) { return QStringLiteral("Campo(%1)").arg(index); }

inline const QString kAlarmGrid = QStringLiteral("MSFlexGrid2");
inline const QString kAlarmUp = QStringLiteral("BotãoSetaAcimaAlarme");
inline const QString kAlarmDown = QStringLiteral("BotãoSetaAbaixoAlarme");
inline const QString kClearAlarmList = QStringLiteral("BotãoApagaListaAlarmes");
inline const QString kRemoveAlarm = QStringLiteral("BotãoRemoverAlarme");
inline const QString kEditAlarm = QStringLiteral("BotãoEditarAlarme");
inline const QString kClearAlarmFields = QStringLiteral("BotãoLimparAlarme");
inline const QString kIncludeAlarm = QStringLiteral("BotãoSalvarAlarme");
inline const QString kAlarmText1 = QStringLiteral("Texto1");
inline const QString kAlarmText2 = QStringLiteral("Texto2");

inline const QString kOpenFile = QStringLiteral("BotãoAbrirArquivo");
inline const QString kSaveFile = QStringLiteral("BotãoSalvarArquivo");
inline const QString kSaveAs = QStringLiteral("BotãoSalvarComo");
inline const QString kRecentFiles = QStringLiteral("BotãoArquivosRecentes");
inline const QString kPrint = QStringLiteral("BotãoImprimir");
inline const QString kUndo = QStringLiteral("BotãoDesfazer");
inline const QString kRedo = QStringLiteral("BotãoRefazer");
inline const QString kFirstWord = QStringLiteral("MemóriaInicial");
inline const QString kLastWord = QStringLiteral("MemóriaFinal");
inline const QString kVariableCount = QStringLiteral("TotalLinhasVariáveis");
inline const QString kAlarmCount = QStringLiteral("TotalLinhasAlarme");

inline const QString kPortBox = QStringLiteral("ComboPorta");
inline const QString kFindPlc = QStringLiteral("BotãoLocalizarCLP");
inline const QString kWriteToPlc = QStringLiteral("BotãoGravaCLP");
inline const QString kReadFromPlc = QStringLiteral("BotãoLêCLP");
inline const QString kCompareWithPlc = QStringLiteral("BotãoComparaCLP");
inline const QString kVerifyAfterWrite = QStringLiteral("CheckVerificarAposGravar");
inline const QString kProgress = QStringLiteral("ProgressoCLP");
inline const QString kProgressText = QStringLiteral("TextoProgressoCLP");

inline const QString kMonitor = QStringLiteral("MonitorCLP");
inline const QString kClearMonitor = QStringLiteral("BotãoLimparMonitor");
inline const QString kSaveMonitor = QStringLiteral("BotãoSalvarMonitor");

}  // namespace zelkor::name
