#pragma once

class Connection;

// Whether a commune may be deleted. The database would take the sewage receivers located in it along
// with all their fees (its reference cascades), so a commune that a receiver uses is refused here,
// before anything is deleted, with the dictionary's usual "Nie można usunąć Gminy ponieważ jest w
// użyciu". Answers true when nothing of the program's own stands in the way.
bool GminaMoznaUsunac(Connection& connection, int gmId);
