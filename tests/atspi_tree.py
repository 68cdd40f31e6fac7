#!/usr/bin/python3
"""The program as a screen reader sees it over AT-SPI: the tree from the desktop down (roles,
names, states, relations, the chart's description and table), a press through the Action
interface, and the events a screen reader listens to: the window's activation, the focus moving
with Tab, and after every press a notification shown with the new value, also at a bound. Run under dbus-run-session:
    atspi_tree.py QOR OUTPUT_DIR"""
import sys

from atspi_session import Atspi, EventWait, check, descendants, find, run_checks, wait_for

R = Atspi.Role
S = Atspi.StateType


def main(qor, out):
    return run_checks(qor, out, run)


def run(session):
    heard = []   # (event type, source role, source name, detail1, any_data)

    def on_event(event):
        source = event.source
        data = event.any_data
        if hasattr(data, "get_value"):   # a GValue
            data = data.get_value()
        heard.append((event.type, source.get_role(), source.get_name(), event.detail1,
                      data if isinstance(data, str) else None))

    listener = Atspi.EventListener.new(on_event)
    for kind in ("object:state-changed:focused", "object:state-changed:showing", "window:activate"):
        listener.register(kind)

    app = session.application()
    session.focus_window()

    # --- the tree -------------------------------------------------------------------------------
    check(app.get_child_count() == 1, "the application has one window")
    frame = app.get_child_at_index(0)
    check(frame.get_role() == R.FRAME and frame.get_name() == "QOR", "the window is a frame called QOR")
    check(wait_for(lambda: frame.get_state_set().contains(S.ACTIVE)), "the focused window is active")
    check(wait_for(lambda: any(h[0] == "window:activate" and h[2] == "QOR" for h in heard)),
          "its activation was announced (window:activate)")
    roles = [(n.get_role(), n.get_name()) for n in descendants(frame)]
    check(not any(role == R.FRAME for role, _ in roles), "no frame inside the window")
    check((R.PANEL, "Tко=(((P0-Tул)*P2)/10)+P0") in roles, "the group box is a panel named by its title")
    buttons = {name: find(frame, R.PUSH_BUTTON, name) for name in ("Lower P0", "Raise P0", "Raise P2", "Lower P2")}
    check(all(buttons.values()), "four push buttons named Lower/Raise P0/P2")
    panel = buttons["Raise P0"].get_parent()
    check(panel.get_role() == R.PANEL, "the buttons are in a panel")
    for name, b in buttons.items():
        states = b.get_state_set()
        check(states.contains(S.FOCUSABLE) and states.contains(S.SHOWING) and states.contains(S.ENABLED),
              name + " is focusable, showing and enabled")
    check(wait_for(lambda: buttons["Lower P0"].get_state_set().contains(S.FOCUSED)), "Lower P0 has the focus")

    labels = {n.get_name(): n for n in descendants(panel) if n.get_role() == R.LABEL}
    check(set(labels) == {"P0=20", "P2=10"}, "the labels say P0=20 and P2=10: " + str(sorted(labels)))

    def targets(node, kind):
        return sorted(r.get_target(i).get_name() for r in node.get_relation_set() if r.get_relation_type() == kind
                      for i in range(r.get_n_targets()))
    check(targets(buttons["Raise P0"], Atspi.RelationType.LABELLED_BY) == ["P0=20"], "Raise P0 is labelled by P0=20")
    check(targets(buttons["Lower P2"], Atspi.RelationType.CONTROLLER_FOR) == ["P2=10"], "Lower P2 controls P2=10")
    if "P2=10" in labels:
        check(targets(labels["P2=10"], Atspi.RelationType.LABEL_FOR) == ["Lower P2", "Raise P2"],
              "P2=10 labels both P2 buttons")

    chart = find(frame, R.CHART, "Heating curve chart")
    check(chart is not None, "the chart is a chart called Heating curve chart")
    if chart is not None:
        check(chart.get_description() == "Тко 80 at Тул -40, then falling to 20 at Тул 20",
              "the chart describes the curve: " + chart.get_description())
        table = chart   # the accessible implements the Table interface itself
        check("Table" in table.get_interfaces() and table.get_n_rows() == 61 and table.get_n_columns() == 2,
              "the chart is a table of 61 samples in 2 columns")
        if table is not None:
            check([table.get_column_description(c) for c in (0, 1)] == ["Тул", "Тко"], "columns Тул, Тко")
            cells = [table.get_accessible_at(r, c).get_name() for r, c in ((0, 0), (0, 1), (60, 0), (60, 1))]
            check(cells == ["-40 °C", "80 °C", "20 °C", "20 °C"], "first and last samples: " + str(cells))

    # --- keyboard: focus and the announced values -------------------------------------------------
    def said(since):
        return [h[2] for h in heard[since:]
                if h[0] == "object:state-changed:showing" and h[1] == R.NOTIFICATION and h[3] == 1]

    def focused(name, since):
        return any(h[0] == "object:state-changed:focused" and h[3] == 1 and h[2] == name for h in heard[since:])

    mark = len(heard)
    session.key("Tab")
    check(wait_for(lambda: focused("Raise P0", mark)), "Tab: Raise P0 takes the focus (focus event)")
    mark = len(heard)
    session.key("Return")
    check(wait_for(lambda: said(mark)) == ["P0 21"], "Return: a notification says P0 21")
    check(wait_for(lambda: "Тко 82 at" in (chart.get_description() or "")), "the chart's description follows")
    notice = frame.get_child_at_index(frame.get_child_count() - 1)
    check(notice.get_role() == R.NOTIFICATION and notice.get_name() == "P0 21",
          "the notification is the window's last child")

    session.key("Tab", "Tab")
    check(wait_for(lambda: focused("Lower P2", mark)), "Tab, Tab: Lower P2 takes the focus")
    # a press at a time, as a user waits to hear it (the name is read when the event arrives)
    mark = len(heard)
    for count in range(1, 12):
        session.key("Return")
        wait_for(lambda: len(said(mark)) >= count)
    expected = ["P2 %d" % v for v in range(9, -1, -1)] + ["P2 0"]
    check(wait_for(lambda: said(mark) == expected) is not None,
          "eleven Returns: each value said once, P2 0 again at the bound: " + str(said(mark)))

    # --- a press through the Action interface ----------------------------------------------------
    lower_p0 = buttons["Lower P0"]
    names = [lower_p0.get_action_name(i) for i in range(lower_p0.get_n_actions())]
    check("Press" in names, "Lower P0 offers Press: " + str(names))
    if "Press" in names:
        lower_p0.do_action(names.index("Press"))
        check(wait_for(lambda: any(n.get_name() == "P0=20" for n in descendants(panel) if n.get_role() == R.LABEL)),
              "Press through AT-SPI lowers P0 to 20")
        check(wait_for(lambda: notice.get_name() == "P0 20"), "and the notification says P0 20")


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:3]))
