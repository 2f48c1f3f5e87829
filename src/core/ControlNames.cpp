#include "ControlNames.h"

namespace zelkor::name {

QString Campo(int index) { return QStringLiteral("Campo(%1)").arg(index); }

QStringList AllButtons() {
  return {BotaoSetaAcima,       BotaoSetaAbaixo,       BotaoApagaListaVariaveis, BotaoRemover,
          BotaoEditar,          BotaoLimpar,           BotaoSalvar,              BotaoSetaAcimaAlarme,
          BotaoSetaAbaixoAlarme, BotaoApagaListaAlarmes, BotaoRemoverAlarme,     BotaoEditarAlarme,
          BotaoLimparAlarme,    BotaoSalvarAlarme,     BotaoAbrirArquivo,        BotaoSalvarArquivo,
          BotaoSalvarComo,      BotaoGravaCLP,         BotaoLeCLP};
}

QStringList AllFields() {
  return {Campo(0),     Campo(1),         Campo(2),
          Campo(3),     Texto1,           Texto2,
          MemoriaInicial, MemoriaFinal,   TotalLinhasVariaveis,
          TotalLinhasAlarme};
}

}  // namespace zelkor::name
