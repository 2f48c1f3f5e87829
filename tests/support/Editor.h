#pragma once

#include "FakeSerialPort.h"
#include "PlcSimulator.h"
#include "ScriptedSeams.h"

#include "commands/Editor.h"
#include "link/LinkMonitor.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zelkor::testing {

// The parts of what the window shows that a test may compare.
enum Part : unsigned {
  kLists = 1,      // V[...] A[...] n=... mem=...
  kSelection = 2,  // sel=... edit=... on=...
  kFields = 4,     // red=... amber=... grupo=red txt=... txtA=... focus=...
  kMessages = 8,   // changed msg=...
  kFile = 16,      // title=... file=... salvarOn
  kLink = 32,      // port=... sending locked
  kAll = 63,
};

// The editor after start-up, with scripted message boxes and file dialogs and
// a simulated PLC behind an in-memory port, driven by short scripts and read
// back as one line of text.
class EditorTest : public ::testing::Test {
 protected:
  EditorTest();

  // Runs steps separated by "; ", each as the window runs a command:
  //   V g|texto|unidade|endereço[|S]  types a variable line and presses Incluir (S ticks Editável)
  //   A texto1[|texto2]               types an alarm and presses Incluir
  //   Vload 0 0 1 / Aload 3           rows as a file brings them: texts V1, V2, ... at D1, D2, ... / A1, A2, ...
  //   click V2 / dbl A1               a click or a double-click on a grid line
  //   remove A, edit V, clearfields V, clearlist A, up V, down A, include V (Incluir without typing), check, undo,
  //   redo, checklists ("Verificar listas")
  //   open F / save [F] / saveas [F]  a file command, F (in a scratch folder) answering its dialog; "-" cancels
  //   openat F                        opening F as the command line does
  //   answer F / yes / no / cancel    the answer to the next file dialog or question
  //   port 1 / write / read / +500    a port picked, "Grava CLP" or "Lê CLP" until the PLC stops answering;
  //                                   time passing
  //   compare / useplc / verify       "Compara CLP" (as the above); "Usar o CLP" next time; the box ticked
  //   plc 2 / plc                     the PLC answers only the next 2 frames / again every one, the waiting one first
  //   find                            "Localizar CLP", time passing until it ends
  //   lose / close                    the port goes away; the window is asked to close
  void Do(const QString& steps);
  // Plays one [section] of a script in tests/<path>: "> steps" runs the steps,
  // "= shown" compares Shown() with what follows, "#" starts a comment.
  void PlayScript(const QString& path, const QString& section);

  // What the window would show, what is not at rest only:
  //   V[grupo/texto/key ...] A[texts]  both lists; * marks a highlighted row,
  //                                    ! one whose Grupo cell the check made red
  //   n=2/1 mem=D4474                  the count displays (! when the colour is wrong) and the image's first word
  //   sel=V2 edit=A on=ER↑↓/R↓         selected rows, an edit going on, enabled row buttons of each list
  //                                    (Editar Remover ↑ ↓; ! after one whose colour is wrong)
  //   red=... amber=... grupo=red      coloured entry fields, the Grupo column marked by the check
  //   txt=0|A||D1| txtA=B|             what the entry lines hold
  //   focus=...                        the control asked to take the focus (read once)
  //   changed msg=...                  the lists-changed flag, the titles of the boxes shown since the last look
  //   cmp[summary; V2 editor / plc]    each comparison shown since the last look: its summary and differing rows
  //   title=... file=... salvarOn      the file in the title, the current file, Salvar arquivo enabled
  //   port=1 sending locked            the open port, a transfer going on, the lists locked by "Lê CLP";
  //                                    port=1 fechada: the port box shows a port, or Grava CLP is on, but it is closed
  QString Shown(unsigned parts = kAll);
  QString Titles() { return messages.Titles(); }

  QString Path(const QString& name) const { return dir.path() + u'/' + name; }
  QByteArray Bytes(const QString& name) const;
  void WriteFile(const QString& name, const QByteArray& bytes) const;

  QTemporaryDir dir;
  RecordingMessages messages;
  ScriptedDialogs dialogs;
  ScriptedComparisons comparisons;
  FakeSerialPort port;
  ManualDeadline deadline;
  sim::PlcSimulator plc;
  Editor state{messages, dialogs, port, deadline};
  PlcLink& link = state.plcLink;
  LinkMonitor monitor{link, deadline};
  size_t comparisonsSeen = 0;  // how many of them Shown() has shown
};

}  // namespace zelkor::testing
