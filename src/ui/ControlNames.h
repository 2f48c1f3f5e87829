#pragma once

#include <QString>

// The objectName of every control, exactly as the window's user and its tests
// know it. Member names are transliterated; the strings keep their accents.
namespace zelkor::name {

inline const QString FormPrincipal = QStringLiteral("FormPrincipal");
inline const QString SSTab1 = QStringLiteral("SSTab1");

inline const QString MSFlexGrid1 = QStringLiteral("MSFlexGrid1");
inline const QString BotaoSetaAcima = QStringLiteral("BotãoSetaAcima");
inline const QString BotaoSetaAbaixo = QStringLiteral("BotãoSetaAbaixo");
inline const QString BotaoApagaListaVariaveis = QStringLiteral("BotãoApagaListaVariáveis");
inline const QString BotaoRemover = QStringLiteral("BotãoRemover");
inline const QString BotaoEditar = QStringLiteral("BotãoEditar");
inline const QString BotaoLimpar = QStringLiteral("BotãoLimpar");
inline const QString BotaoSalvar = QStringLiteral("BotãoSalvar");
inline const QString ChechEditavel = QStringLiteral("ChechEditável");
// The entry fields form the control array Campo(0) to Campo(3).
inline QString Campo(int index) { return QStringLiteral("Campo(%1)").arg(index); }

inline const QString MSFlexGrid2 = QStringLiteral("MSFlexGrid2");
inline const QString BotaoSetaAcimaAlarme = QStringLiteral("BotãoSetaAcimaAlarme");
inline const QString BotaoSetaAbaixoAlarme = QStringLiteral("BotãoSetaAbaixoAlarme");
inline const QString BotaoApagaListaAlarmes = QStringLiteral("BotãoApagaListaAlarmes");
inline const QString BotaoRemoverAlarme = QStringLiteral("BotãoRemoverAlarme");
inline const QString BotaoEditarAlarme = QStringLiteral("BotãoEditarAlarme");
inline const QString BotaoLimparAlarme = QStringLiteral("BotãoLimparAlarme");
inline const QString BotaoSalvarAlarme = QStringLiteral("BotãoSalvarAlarme");
inline const QString Texto1 = QStringLiteral("Texto1");
inline const QString Texto2 = QStringLiteral("Texto2");

inline const QString BotaoAbrirArquivo = QStringLiteral("BotãoAbrirArquivo");
inline const QString BotaoSalvarArquivo = QStringLiteral("BotãoSalvarArquivo");
inline const QString BotaoSalvarComo = QStringLiteral("BotãoSalvarComo");
inline const QString BotaoArquivosRecentes = QStringLiteral("BotãoArquivosRecentes");
inline const QString BotaoImprimir = QStringLiteral("BotãoImprimir");
inline const QString BotaoDesfazer = QStringLiteral("BotãoDesfazer");
inline const QString BotaoRefazer = QStringLiteral("BotãoRefazer");
inline const QString MemoriaInicial = QStringLiteral("MemóriaInicial");
inline const QString MemoriaFinal = QStringLiteral("MemóriaFinal");
inline const QString TotalLinhasVariaveis = QStringLiteral("TotalLinhasVariáveis");
inline const QString TotalLinhasAlarme = QStringLiteral("TotalLinhasAlarme");

inline const QString ComboPorta = QStringLiteral("ComboPorta");
inline const QString BotaoGravaCLP = QStringLiteral("BotãoGravaCLP");
inline const QString BotaoLeCLP = QStringLiteral("BotãoLêCLP");
inline const QString BotaoComparaCLP = QStringLiteral("BotãoComparaCLP");
inline const QString CheckVerificar = QStringLiteral("CheckVerificarAposGravar");
inline const QString ProgressoCLP = QStringLiteral("ProgressoCLP");
inline const QString TextoProgressoCLP = QStringLiteral("TextoProgressoCLP");

inline const QString MonitorCLP = QStringLiteral("MonitorCLP");
inline const QString BotaoLimparMonitor = QStringLiteral("BotãoLimparMonitor");
inline const QString BotaoSalvarMonitor = QStringLiteral("BotãoSalvarMonitor");

}  // namespace zelkor::name
