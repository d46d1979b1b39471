#pragma once

class ChartWindowEvents;
class PerZelpo;

// Puts the chart window's commands within reach of the keyboard, since "?", "Graficar" and "Fin"
// are labels that never take the focus: Enter (Return or the keypad's) in the weight box runs
// "Graficar" as a click does, checks included, and F1 anywhere in the window shows the help of
// "?". The focus stays where it is, as after a click on them.
void connectKeyboardCommands(PerZelpo& window, ChartWindowEvents& events);
