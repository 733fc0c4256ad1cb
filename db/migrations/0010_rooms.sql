-- Hotel rooms and their guests, as far as the terminals post charges to them:
-- the rooms of each hotel, the hotels an outlet may charge, the stays
-- (reservation and folio), the routing of a folio's charges to the folio
-- that pays them (a company or group master account), and the room charges
-- with their transfers.

CREATE TABLE hotel_room (
    hotel_upjang_code text NOT NULL,
    room_no           text NOT NULL CHECK (room_no ~ '^[0-9]{5}$'),  -- as the terminal sends it: "01203"
    room_type         text NOT NULL DEFAULT '',
    PRIMARY KEY (hotel_upjang_code, room_no)
);

-- The hotels whose guests an outlet may charge; a room number is looked up
-- in them in sort order.
CREATE TABLE hotel_charge_upjang (
    upjang_code       text NOT NULL,
    hotel_upjang_code text NOT NULL,
    sort_order        integer NOT NULL DEFAULT 0,
    PRIMARY KEY (upjang_code, hotel_upjang_code)
);

-- One folio of a reservation in one room. A reservation that has not
-- arrived yet has no check-in date; a guest who has left has a check-out date.
CREATE TABLE hotel_stay (
    hotel_upjang_code text NOT NULL,
    rsv_no            text NOT NULL,
    manage_no         integer NOT NULL,
    room_no           text NOT NULL,
    arrival_date      yyyymmdd NOT NULL,
    departure_date    yyyymmdd NOT NULL,
    check_in_date     yyyymmdd,
    check_out_date    yyyymmdd,
    member_no         text NOT NULL DEFAULT '',
    member_name       text NOT NULL DEFAULT '',
    come_name         text NOT NULL DEFAULT '',
    guest_type        text NOT NULL DEFAULT '',
    event_no          text NOT NULL DEFAULT '',
    post_charge_yn    char(1) NOT NULL DEFAULT 'Y' CHECK (post_charge_yn IN ('Y', 'N')),
    PRIMARY KEY (hotel_upjang_code, rsv_no, manage_no),
    FOREIGN KEY (hotel_upjang_code, room_no) REFERENCES hotel_room,
    CHECK (arrival_date <= departure_date)
);
CREATE INDEX hotel_stay_room ON hotel_stay (hotel_upjang_code, room_no, arrival_date);
CREATE INDEX hotel_stay_member ON hotel_stay (member_no) WHERE member_no <> '';

-- Charges of a folio that another folio pays. A route for one outlet wins
-- over the route for every outlet (raise_upjang_code '').
CREATE TABLE hotel_folio_route (
    hotel_upjang_code    text NOT NULL,
    rsv_no               text NOT NULL,
    manage_no            integer NOT NULL,
    raise_upjang_code    text NOT NULL DEFAULT '',
    to_hotel_upjang_code text NOT NULL,
    to_rsv_no            text NOT NULL,
    to_manage_no         integer NOT NULL,
    PRIMARY KEY (hotel_upjang_code, rsv_no, manage_no, raise_upjang_code),
    FOREIGN KEY (hotel_upjang_code, rsv_no, manage_no) REFERENCES hotel_stay,
    FOREIGN KEY (to_hotel_upjang_code, to_rsv_no, to_manage_no) REFERENCES hotel_stay
);

-- A charge posted to a folio by an outlet's bill, numbered per folio and day.
CREATE TABLE room_charge (
    hotel_upjang_code text NOT NULL,
    rsv_no            text NOT NULL,
    manage_no         integer NOT NULL,
    task_date         yyyymmdd NOT NULL,
    seq               integer NOT NULL,
    raise_upjang_code text NOT NULL,
    pos_no            text NOT NULL DEFAULT '',
    bill_no           text NOT NULL DEFAULT '',
    amount            numeric(18, 4) NOT NULL,
    emp_no            text NOT NULL DEFAULT '',
    ip                text NOT NULL DEFAULT '',
    created_at        timestamptz NOT NULL DEFAULT now(),
    PRIMARY KEY (hotel_upjang_code, rsv_no, manage_no, task_date, seq),
    FOREIGN KEY (hotel_upjang_code, rsv_no, manage_no) REFERENCES hotel_stay
);

-- A charge moved to the folio that pays it: the original row stays where it
-- was posted, and the paying folio gets a new row; this row ties the two, and
-- its key makes sure a charge is moved once.
CREATE TABLE room_charge_transfer (
    from_hotel_upjang_code text NOT NULL,
    from_rsv_no            text NOT NULL,
    from_manage_no         integer NOT NULL,
    from_task_date         yyyymmdd NOT NULL,
    from_seq               integer NOT NULL,
    to_hotel_upjang_code   text NOT NULL,
    to_rsv_no              text NOT NULL,
    to_manage_no           integer NOT NULL,
    to_task_date           yyyymmdd NOT NULL,
    to_seq                 integer NOT NULL,
    raise_upjang_code      text NOT NULL DEFAULT '',
    trans_reason           text NOT NULL DEFAULT '',
    emp_no                 text NOT NULL DEFAULT '',
    ip                     text NOT NULL DEFAULT '',
    transferred_at         timestamptz NOT NULL DEFAULT now(),
    PRIMARY KEY (from_hotel_upjang_code, from_rsv_no, from_manage_no, from_task_date, from_seq),
    FOREIGN KEY (from_hotel_upjang_code, from_rsv_no, from_manage_no, from_task_date, from_seq) REFERENCES room_charge,
    FOREIGN KEY (to_hotel_upjang_code, to_rsv_no, to_manage_no, to_task_date, to_seq) REFERENCES room_charge
);
