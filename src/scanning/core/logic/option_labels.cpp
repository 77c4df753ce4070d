// The option lines of the seven menus and the pointing grid's two, option n drawn on panel
// row n.
#include "scanning/core/uopcoes.h"
#include "scanning/core/uvars.h"

namespace {
const char* const MouseLabels[] = {"Clica", "Sobe", "Desce", "Esquerda", "Direita",
    "Outros Cliques", "Mouse r\xE1pido", "Comanda janela", "Digita", "Visualiza", "Meus programas"};
const char* const ClickLabels[] = {"Clique duplo", "Clique direita", "Control clique",
    "Shift clique", "Mouse centro tela", "Mouse topo tela", "Mouse topo janela", "Ignora"};
const char* const WindowLabels[] = {"Mouse", "Desce", "Sobe", "Topo", "Fecha", "Tamanho",
    "Navega", "Reposiciona", "Pr\xF3xima janela"};
const char* const NavigationLabels[] = {"Mouse", "Enter", "Tab tab tab...", "Shift Tab...",
    "F10 Menu", "Direita direita", "Esquerda esquerda", "Cima cima", "Baixo baixo",
    "WWW anterior", "WWW seguinte"};
const char* const SizeLabels[] = {"Deixa igual", "Minimiza", "Normaliza", "Maximiza"};
const char* const ProgramLabels[] = {"Mouse", "Meus documentos", "Menu iniciar",
    "Navega na Internet", "Locutor", "Bloco de Notas", "Jornal", "Correio", "Arquivos",
    "Bandeja do sistema"};
const char* const KeyboardChoiceLabels[] = {"Mouse", "Funcao", "Alfa", "Mai\xFAsculos",
    "Num\xE9ricos", "Acentos", "Act.Mai\xFAsculos"};

const char* const PointingMouseLabels[] = {"Aponta", "Clica", "Sobe", "Desce", "Esquerda",
    "Direita", "Outros Cliques", "Mouse r\xE1pido", "Comanda janela", "Digita", "Visualiza",
    "Meus programas"};
const char* const PointActionLabels[] = {"Clica", "Clique duplo", "Clique direita", "Arrasta",
    "Rola abaixo", "Rola acima", "Cancela"};

const char* const* const MenuLabels[AllMenuCount + 1] = {nullptr, MouseLabels, ClickLabels,
    WindowLabels, NavigationLabels, SizeLabels, ProgramLabels, KeyboardChoiceLabels,
    PointingMouseLabels, PointActionLabels};
}  // namespace

const char* OptionLabel(int menu, int option) {
  if (menu < 1 || menu > AllMenuCount || option < 1 || option > OptionCount[menu]) return nullptr;
  return MenuLabels[menu][option - 1];
}
