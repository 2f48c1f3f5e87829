#include "Message.h"

namespace zelkor {

QString TitleText(MessageTitle title) {
  switch (title) {
    case MessageTitle::Program:
      return QStringLiteral("Marbeto");
    case MessageTitle::FileNotFound:
      return QStringLiteral("Arquivo não encontrado!");
    case MessageTitle::FileNotRead:
      return QStringLiteral("Arquivo não lido!");
    case MessageTitle::WarningsBeforeWrite:
      return QStringLiteral("Atenção antes de gravar");
    case MessageTitle::SearchRunning:
      return QStringLiteral("Busca em andamento!");
    case MessageTitle::PlcFound:
      return QStringLiteral("CLP encontrado!");
    case MessageTitle::PlcNotFound:
      return QStringLiteral("CLP não encontrado!");
    case MessageTitle::PlcNotResponding:
      return QStringLiteral("CLP não responde!");
    case MessageTitle::Comparison:
      return QStringLiteral("Comparação");
    case MessageTitle::CommunicationEnded:
      return QStringLiteral("Comunicação encerrada!");
    case MessageTitle::RecoveryCopy:
      return QStringLiteral("Cópia de recuperação");
    case MessageTitle::RecoveryCopyDamaged:
      return QStringLiteral("Cópia de recuperação danificada!");
    case MessageTitle::InvalidAddress:
      return QStringLiteral("Endereço inválido!");
    case MessageTitle::AddressMissing:
      return QStringLiteral("Endereço não informado!");
    case MessageTitle::GroupNotNumeric:
      return QStringLiteral("Grupo: só numérico de 0 a 7!");
    case MessageTitle::ReadRunning:
      return QStringLiteral("Leitura em andamento!");
    case MessageTitle::ReadInterrupted:
      return QStringLiteral("Leitura interrompida!");
    case MessageTitle::ReadOk:
      return QStringLiteral("Leitura Ok!");
    case MessageTitle::LineNotIncluded:
      return QStringLiteral("Linha não incluída!");
    case MessageTitle::NothingSent:
      return QStringLiteral("Nada foi enviado!");
    case MessageTitle::NothingRead:
      return QStringLiteral("Nada foi lido!");
    case MessageTitle::NothingToSend:
      return QStringLiteral("Nada para Enviar!");
    case MessageTitle::NothingToSave:
      return QStringLiteral("Nada para Salvar!");
    case MessageTitle::SpreadsheetNotImported:
      return QStringLiteral("Planilha não importada!");
    case MessageTitle::PortInUse:
      return QStringLiteral("Porta em uso!");
    case MessageTitle::PortInvalid:
      return QStringLiteral("Porta inválida!");
    case MessageTitle::RecoverLists:
      return QStringLiteral("Recuperar listas?");
    case MessageTitle::SaveCurrentData:
      return QStringLiteral("Salvar dados atuais?");
    case MessageTitle::GroupSequence:
      return QStringLiteral("Sequência de numeração!");
    case MessageTitle::TextLength:
      return QStringLiteral("Texto: (1 a 8 caracteres)!");
    case MessageTitle::TransmissionRunning:
      return QStringLiteral("Transmissão em andamento!");
    case MessageTitle::TransmissionOk:
      return QStringLiteral("Transmissão Ok!");
    case MessageTitle::VerificationFailed:
      return QStringLiteral("Verificação falhou!");
    case MessageTitle::CheckLists:
      return QStringLiteral("Verificar listas");
  }
  return {};
}

QString HelpAnchor(MessageHelp help) {
  switch (help) {
    case MessageHelp::None:
      return {};
    case MessageHelp::PlcNotResponding:
      return QStringLiteral("clp-nao-responde");
    case MessageHelp::CommunicationEnded:
      return QStringLiteral("comunicacao-encerrada");
    case MessageHelp::ReadInterrupted:
      return QStringLiteral("leitura-interrompida");
    case MessageHelp::VerificationFailed:
      return QStringLiteral("verificacao-falhou");
    case MessageHelp::NothingRead:
      return QStringLiteral("nada-foi-lido");
    case MessageHelp::PortInvalid:
      return QStringLiteral("porta-invalida");
    case MessageHelp::PortInUse:
      return QStringLiteral("porta-em-uso");
    case MessageHelp::PlcNotFound:
      return QStringLiteral("clp-nao-encontrado");
    case MessageHelp::PortLost:
      return QStringLiteral("a-comunicacao-pela-porta-foi-interrompida");
    case MessageHelp::PortNoAccess:
      return QStringLiteral("sem-permissao-para-usar-a-porta");
    case MessageHelp::PortNotOpened:
      return QStringLiteral("nao-foi-possivel-abrir-a-porta");
  }
  return {};
}

}  // namespace zelkor
